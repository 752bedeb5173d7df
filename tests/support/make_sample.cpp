// Writes the bundled sample memory image, and with a second argument the
// fixtures of the shared end-to-end cases:
//   make_sample examples/ZEMF [tests/e2e/fixtures]
#include <cstdio>
#include <filesystem>

#include "image/memory_image.h"
#include "support/sample_image.h"
#include "support/test_files.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fputs("usage: make_sample FILE [FIXTURES_DIR]\n", stderr);
    return 2;
  }
  using namespace plomb::testing;
  write_bytes(argv[1], file_of(sample_image()));
  if (argc == 3) {
    const std::filesystem::path fixtures = argv[2];
    for (const auto& [name, bytes] : case_fixtures()) write_bytes(fixtures / name, bytes);
  }
  return 0;
}
