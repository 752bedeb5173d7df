#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

#include "platform/files.h"

namespace plomb {

namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr int kTempAttempts = 100;

// An existing file, opened for reading and writing while other programs (a
// running emulator) may keep reading and writing it.
HANDLE open_existing_read_write(const std::string& name) {
  return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShareReadWrite, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A plain file without the read-only attribute.
bool is_writable_plain_file(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

std::string directory_of(const std::string& path) {
  const auto separator = path.find_last_of("\\/:");
  if (separator == std::string::npos) return ".";
  if (path[separator] == ':') return path.substr(0, separator + 1);
  return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string base_of(const std::string& path) {
  const auto separator = path.find_last_of("\\/:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool write_handle(HANDLE file, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

// Creates a new temporary file beside `target`; returns its handle and name.
HANDLE create_temp_beside(const std::string& target, std::string& temp) {
  const std::string prefix = directory_of(target) + "\\." + base_of(target).substr(0, 64) + ".";
  for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
    temp = prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64() + static_cast<ULONGLONG>(attempt)) + ".tmp";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_READ | GENERIC_WRITE, kShareReadWrite, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

std::optional<InputFile> InputFile::open_for_update(const std::string& name) {
  if (name.empty() || !is_writable_plain_file(GetFileAttributesA(name.c_str()))) return std::nullopt;
  HANDLE file = open_existing_read_write(name);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return std::nullopt;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
  if (fd < 0) {
    CloseHandle(file);
    return std::nullopt;
  }
  return InputFile(fd, static_cast<std::uint64_t>(size.QuadPart));
}

std::optional<InputFile> InputFile::open_for_reading(const std::string& name) {
  const DWORD attributes = name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return std::nullopt;
  }
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, kShareReadWrite | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return std::nullopt;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY);
  if (fd < 0) {
    CloseHandle(file);
    return std::nullopt;
  }
  return InputFile(fd, static_cast<std::uint64_t>(size.QuadPart));
}

InputFile::InputFile(InputFile&& other) noexcept : fd_(other.fd_), length_(other.length_), owned_(other.owned_) {
  other.fd_ = -1;
}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0 && owned_) _close(fd_);
    fd_ = other.fd_;
    length_ = other.length_;
    owned_ = other.owned_;
    other.fd_ = -1;
  }
  return *this;
}

InputFile::~InputFile() {
  if (fd_ >= 0 && owned_) _close(fd_);
}

InputFile InputFile::standard_input() { return InputFile(0, 0, false); }

std::size_t InputFile::read_up_to(std::span<std::uint8_t> into) {
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
  std::size_t total = 0;
  while (total < into.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(into.size() - total);
    if (!ReadFile(file, into.data() + total, want, &got, nullptr) || got == 0) break;
    total += got;
  }
  return total;
}

char file_name_byte(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code < 32) return '_';
  switch (c) {
    case '<': case '>': case ':': case '"': case '/': case '\\': case '|': case '?': case '*': return '_';
    default: return c;
  }
}

bool write_all(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const int wrote = _write(fd, bytes.data() + done, static_cast<unsigned>(std::min<std::size_t>(bytes.size() - done, 1u << 20)));
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

bool replace_file(const std::string& name, std::span<const std::uint8_t> bytes) {
  if (name.empty() || base_of(name).empty()) return false;
  const DWORD attributes = GetFileAttributesA(name.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists) {
    if (!is_writable_plain_file(attributes)) return false;
    HANDLE probe = open_existing_read_write(name);
    if (probe == INVALID_HANDLE_VALUE) return false;
    CloseHandle(probe);
  }
  std::string temp;
  HANDLE file = create_temp_beside(name, temp);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = write_handle(file, bytes) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  if (ok && exists) ok = SetFileAttributesA(temp.c_str(), attributes) != 0;
  ok = ok && MoveFileExA(temp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace plomb
