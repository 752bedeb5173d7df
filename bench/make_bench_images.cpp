// Writes the benchmark images for whole-process timings:
// make_bench_images DIR -> DIR/FULL (full image), DIR/ENDS700 (700 one-END programs).
#include <cstdio>
#include <filesystem>

#include "full_images.h"
#include "support/image_builder.h"
#include "support/test_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_bench_images DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  plomb::testing::write_bytes(dir / "FULL", plomb::testing::file_of(plomb::bench::full_image()));
  plomb::testing::write_bytes(dir / "ENDS700", plomb::testing::file_of(plomb::bench::one_end_programs()));
  return 0;
}
