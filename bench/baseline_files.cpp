// The baseline for saving 700 programs: a plain program of the same link as
// plomb that creates 700 files of 256 bytes the same atomic way (temporary
// file, write, fsync, close, rename, fsync of the directory) and prints a
// line for each.
#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 700;
  unsigned char block[256] = {0xC0, 0x00, 0x0D, 0xCD};
  std::string output;
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "PRGM.%03d", i);
    std::string temp = std::string("./.") + name + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return 1;
    if (::write(fd, block, sizeof block) != static_cast<ssize_t>(sizeof block)) return 1;
    ::fchmod(fd, 0644);
    ::fsync(fd);
    ::close(fd);
    if (::rename(temp.c_str(), name) != 0) return 1;
    const int directory = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(directory);
    ::close(directory);
    output += std::string("->") + name + " \r\n";
  }
  ::write(1, output.data(), output.size());
  return 0;
}
