// Writes the fuzzers' seed corpora: images, image-and-raw-file pairs and
// command lines made by the test helpers. Usage: make_seeds FUZZ_DIR EXAMPLES_DIR
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "image/status_fields.h"
#include "raw/raw_export.h"
#include "support/image_builder.h"
#include "support/sample_image.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using plomb::testing::Bytes;
using plomb::testing::ImageBuilder;

std::vector<std::pair<std::string, Bytes>> images() {
  using plomb::testing::file_of;
  plomb::MemoryImage end_far = ImageBuilder().label("A").end().image();
  plomb::set_end_register(end_far, 0xFFF);
  plomb::MemoryImage r00_far = ImageBuilder(0x040, 0x3EF, 0x3F0).label("TOP").end().image();
  plomb::set_byte(r00_far, plomb::address_of(0x0D, 2), 0xFF);
  plomb::set_byte(r00_far, plomb::address_of(0x0D, 1), 0xF3);  // R00 0xFFF, .END. register low nibble kept
  Bytes tiny(125, 0);
  const std::string signature = "HPHP41-C";
  std::copy(signature.begin(), signature.end(), tiny.begin());
  return {
      {"sample", file_of(plomb::testing::sample_image())},
      {"three", ImageBuilder().label("A").code({0x40}).label("B", 0x11).end().code({0x41, 0x42}).end().label("C").file()},
      {"empty_chain", ImageBuilder().file()},
      {"packed", ImageBuilder().label("P").code({0x1D, 0xF2, 'A', 'B'}).end().end_tag(0x29).file()},
      {"labels", ImageBuilder().label("").label("X", 1).label("ABCDEFGHIJKLMN").code({0xCE, 0x05, 0xD0, 0, 0}).end().file()},
      {"low_bottom", ImageBuilder(0x040, 0x180, 0x150).label("L").end().file()},
      {"end_far", file_of(end_far)},
      {"r00_far", file_of(r00_far)},
      {"tiny", tiny},
  };
}

void write(const fs::path& file, const Bytes& bytes) { plomb::testing::write_bytes(file, bytes); }

Bytes load_input(const Bytes& raw, const Bytes& image) {
  // Sized once and filled: g++ 12 at -O3 wrongly flags an insert into a
  // vector made from an initializer list (-Warray-bounds).
  Bytes input(2 + raw.size() + image.size());
  input[0] = static_cast<std::uint8_t>(raw.size() & 0xFF);
  input[1] = static_cast<std::uint8_t>(raw.size() >> 8);
  std::copy(image.begin(), image.end(), std::copy(raw.begin(), raw.end(), input.begin() + 2));
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_seeds FUZZ_DIR EXAMPLES_DIR\n", stderr);
    return 2;
  }
  const fs::path corpus = fs::path(argv[1]) / "corpus";
  const fs::path examples = argv[2];
  for (const char* target : {"image", "load", "arguments"}) fs::create_directories(corpus / target);

  for (const auto& [name, bytes] : images()) write(corpus / "image" / name, bytes);

  const Bytes sample = plomb::testing::file_of(plomb::testing::sample_image());
  for (const auto& entry : fs::directory_iterator(examples)) {
    const std::string name = entry.path().filename().string();
    if (name == "ZEMF") continue;
    const Bytes raw = plomb::testing::read_bytes(entry.path());
    write(corpus / "load" / ("sample_" + name), load_input(raw, sample));
    write(corpus / "load" / ("small_" + name), load_input(raw, ImageBuilder().label("OLD").end().file()));
  }
  const Bytes ten{0xC0, 0x00, 0xF3, 0x00, 'A', 'B', 0x40, 0xC0, 0x00, 0x0D};
  write(corpus / "load" / "ten_bytes", load_input(plomb::raw_file_contents(ten), ImageBuilder(0x0C0, 0x1FF, 0x1C6).file()));
  write(corpus / "load" / "no_checksum", load_input({0x33, 0xC0, 0x00, 0x0D}, ImageBuilder().end_tag(0x29).file()));

  const char* lines[] = {
      "plomb", "plomb ? ZEMF", "plomb - ZEMF BASE", "plomb * \"my image\" X.RAW", "plomb \"\" PROG OLD NEW",
      "plomb DIR.V2\\PROG A:B", "plomb \"open quote", "plomb a\"b c\"d \t\r\n x",
  };
  int i = 0;
  for (const char* line : lines) {
    const std::string text = line;
    write(corpus / "arguments" / ("line" + std::to_string(i++)), Bytes(text.begin(), text.end()));
  }
  return 0;
}
