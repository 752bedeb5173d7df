#include "full_images.h"

#include <string>

#include "raw/raw_export.h"
#include "support/image_builder.h"

namespace plomb::bench {

namespace {
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::string two_letters(int i) { return {kLetters[i / 36 % 36], kLetters[i % 36]}; }
// Built in place: g++ 12 warns (wrongly) of overlapping copies in "P" + a
// temporary string when optimising.
std::string three_letters(char first, int i) { return {first, kLetters[i / 36 % 36], kLetters[i % 36]}; }
}  // namespace

MemoryImage full_image() {
  testing::ImageBuilder b(0x040, 0x3EF, 0x200);
  for (int i = 0; i < 80; ++i) b.label(three_letters('P', i)).code({0x40}).end();
  for (int i = 0; i < 200; ++i) b.label(two_letters(i)).code({});
  b.end();
  return b.image();
}

MemoryImage one_end_programs(int count) {
  testing::ImageBuilder b(0x040, 0x3EF, 0x200);
  for (int i = 0; i < count; ++i) b.end();
  return b.image();
}

std::vector<std::uint8_t> small_raw_file() {
  return raw_file_contents(std::vector<std::uint8_t>{0xC0, 0x00, 0xF3, 0x00, 'N', 'W', 0x40, 0xC0, 0x00, 0x0D});
}

}  // namespace plomb::bench
