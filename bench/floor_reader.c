/* The floor for whole-process timings: the least any tool can do to list an
 * image. It opens the file, reads it once, writes one block of output (the
 * bytes it read) and exits; linked like plomb, statically.
 *   floor_reader IMAGE */
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
  static char buffer[8192];
  if (argc != 2) return 2;
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) return 1;
  const ssize_t got = read(fd, buffer, sizeof buffer);
  close(fd);
  if (got > 0 && write(1, buffer, (size_t)got) != got) return 1;
  return 0;
}
