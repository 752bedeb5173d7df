// Writes the bundled sample memory image to the file named by its argument.
#include <cstdio>

#include "support/sample_image.h"
#include "support/test_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_sample FILE\n", stderr);
    return 2;
  }
  plomb::testing::write_bytes(argv[1], plomb::testing::file_of(plomb::testing::sample_image()));
  return 0;
}
