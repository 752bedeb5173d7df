#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>

namespace plomb {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr int kMaxLinkHops = 40;
// Room left for the temporary name's own pieces within a file name limit.
constexpr std::size_t kTempBaseChars = 64;

int open_existing_read_write(const std::string& name) {
  int fd;
  do {
    // Non-blocking, so a FIFO can never make the open wait for a writer.
    fd = ::open(name.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// True for a regular file that carries at least one write permission bit.
bool is_writable_regular_file(const struct stat& st) {
  return S_ISREG(st.st_mode) && (st.st_mode & kAnyWriteBit) != 0;
}

std::string directory_of(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string base_of(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links from `name` to the path of the file they name,
// which need not exist yet. Returns an empty text for a loop of links.
std::string resolve_links(const std::string& name) {
  std::string path = name;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::array<char, PATH_MAX> target;
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return {};
    std::string link(target.data(), static_cast<std::size_t>(length));
    path = link.front() == '/' ? link : directory_of(path) + "/" + link;
  }
  return {};
}

mode_t default_creation_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

bool sync_and_close(int fd) {
  bool ok = ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok;
}

void sync_directory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<InputFile> InputFile::open_for_update(const std::string& name) {
  if (name.empty()) return std::nullopt;
  // Look before opening: opening a device can have effects of its own.
  struct stat before;
  if (::stat(name.c_str(), &before) != 0 || !is_writable_regular_file(before)) return std::nullopt;
  const int fd = open_existing_read_write(name);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !is_writable_regular_file(st)) {
    ::close(fd);
    return std::nullopt;
  }
  return InputFile(fd, static_cast<std::uint64_t>(st.st_size));
}

std::optional<InputFile> InputFile::open_for_reading(const std::string& name) {
  if (name.empty()) return std::nullopt;
  struct stat before;
  if (::stat(name.c_str(), &before) != 0 || !S_ISREG(before.st_mode)) return std::nullopt;
  int fd;
  do {
    fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  return InputFile(fd, static_cast<std::uint64_t>(st.st_size));
}

InputFile::InputFile(InputFile&& other) noexcept : fd_(other.fd_), length_(other.length_), owned_(other.owned_) {
  other.fd_ = -1;
}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0 && owned_) ::close(fd_);
    fd_ = other.fd_;
    length_ = other.length_;
    owned_ = other.owned_;
    other.fd_ = -1;
  }
  return *this;
}

InputFile::~InputFile() {
  if (fd_ >= 0 && owned_) ::close(fd_);
}

InputFile InputFile::standard_input() { return InputFile(0, 0, false); }

std::size_t InputFile::read_up_to(std::span<std::uint8_t> into) {
  std::size_t total = 0;
  while (total < into.size()) {
    const ssize_t got = ::read(fd_, into.data() + total, into.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // end of file, or a read error taken as the end
    total += static_cast<std::size_t>(got);
  }
  return total;
}

char file_name_byte(char c) { return c == '/' || c == '\\' || c == '\0' ? '_' : c; }

bool write_all(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

bool replace_file(const std::string& name, std::span<const std::uint8_t> bytes) {
  if (name.empty()) return false;
  const std::string target = resolve_links(name);
  const std::string base = base_of(target);
  if (target.empty() || base.empty()) return false;

  struct stat old;
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists) {
    if (!is_writable_regular_file(old)) return false;
    const int probe = open_existing_read_write(target);
    if (probe < 0) return false;
    ::close(probe);
  }

  const std::string directory = directory_of(target);
  std::string temp = directory + "/." + base.substr(0, kTempBaseChars) + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;

  const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  bool ok = write_all(fd, contents);
  if (ok && exists && ::geteuid() == 0) {
    // Only the superuser can hand the new file to the old file's owner.
    (void)::fchown(fd, old.st_uid, old.st_gid);
  }
  const mode_t mode = exists ? static_cast<mode_t>(old.st_mode & 07777) : default_creation_mode();
  ok = ok && ::fchmod(fd, mode) == 0;
  ok = sync_and_close(fd) && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  sync_directory(directory);
  return true;
}

}  // namespace plomb
