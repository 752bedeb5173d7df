// Writes the fuzzers' seed corpora: images, image-and-raw-file pairs,
// command lines, and programs and files to list, made by the test helpers. Usage: make_seeds FUZZ_DIR EXAMPLES_DIR
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

// Programs of whole instructions, each closed by an END.
std::vector<std::pair<std::string, Bytes>> programs() {
  return {
      // LBL "AREA", 1.5 E-3, 2, *, "R=", ARCL X, AVIEW, RTN, END
      {"numbers_text", {0xC0, 0x00, 0xF5, 0x00, 'A', 'R', 'E', 'A', 0x11, 0x1A, 0x15, 0x1B, 0x1C, 0x13, 0x00, 0x12,
                        0x42, 0xF2, 'R', '=', 0x9B, 0x73, 0x7E, 0x85, 0xC0, 0x00, 0x0D}},
      // LBL 01, RCL 05, STO IND 20, ISG 10, GTO 01, XEQ "AB", FS? 25, XROM 25,01, TONE 9,
      // GTO 01 and XEQ A in their three-byte forms, END
      {"registers_branches", {0x02, 0x25, 0x91, 0x94, 0x96, 0x0A, 0xB2, 0x00, 0x1E, 0xF2, 'A', 'B', 0xAC, 0x19, 0xA6,
                              0x41, 0x9F, 0x09, 0xD0, 0x00, 0x01, 0xE0, 0x00, 0x66, 0xC0, 0x00, 0x0D}},
      // synthetic bytes: a null, 0xAF, text with control codes, a long GTO with a
      // jump distance, a packed .END.
      {"synthetic", {0x00, 0xAF, 0xF4, 0x7F, 0x00, 0x0A, 0xFF, 0xD3, 0x45, 0x02, 0xCE, 0x7D, 0xCF, 0x66, 0x1C, 0xC0,
                     0x00, 0x29}},
      // two programs: a global label assigned to a key, END, then a bare END
      {"two_programs", {0xC0, 0x00, 0xF2, 0x15, 'Z', 0x40, 0xC0, 0x00, 0x0D, 0xC0, 0x00, 0x0D}},
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
  for (const char* target : {"image", "load", "arguments", "focal_roundtrip", "focal_source"}) {
    fs::create_directories(corpus / target);
  }

  for (const auto& [name, bytes] : images()) {
    write(corpus / "image" / name, bytes);
    write(corpus / "focal_source" / name, bytes);
  }
  for (const auto& [name, bytes] : programs()) {
    write(corpus / "focal_roundtrip" / name, bytes);
    write(corpus / "focal_source" / ("raw_" + name), plomb::raw_file_contents(bytes));
  }

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
