#include "support/sample_image.h"

#include "raw/raw_export.h"

namespace plomb::testing {

namespace {
// A few of the calculator's instruction codes, for readability.
constexpr std::uint8_t kAdd = 0x40, kSubtract = 0x41, kMultiply = 0x42, kSquare = 0x51, kSqrt = 0x52;
constexpr std::uint8_t kSwapXY = 0x71, kPi = 0x72, kAview = 0x7E, kEnter = 0x83, kRtn = 0x85;
constexpr std::uint8_t kBeep = 0x86, kPrompt = 0x8E, kArcl = 0x9B, kStackX = 0x73;
}  // namespace

MemoryImage sample_image() {
  ImageBuilder b(0x0C0, 0x1FF, 0x1C0);
  // Area of a circle from its radius.
  b.label("AREA")
      .code({0xF3, 'R', '=', '?', kPrompt, kSquare, kPi, kMultiply})
      .code({0xF5, 'A', 'R', 'E', 'A', '=', kArcl, kStackX, kAview})
      .end();
  // Hypotenuse (assigned to a key) and the other leg of a right triangle.
  b.label("HYP", 0x11).code({kSquare, kSwapXY, kSquare, kAdd, kSqrt, kRtn});
  b.label("LEG").code({kSquare, kSwapXY, kSquare, kSwapXY, kSubtract, kSqrt}).end();
  // Counts down from 10, showing each value.
  b.label("CNT")
      .code({0x11, 0x10, 0x30, 0x02, 0x20, 0x98, 0x00, 0x97, 0x00, 0xB2, 0x00, kBeep})
      .end();
  // The 3-4-5 triangle through XEQ "HYP"; the .END. closes it.
  b.label("TRI").code({0x13, kEnter, 0x14, 0x1E, 0xF3, 'H', 'Y', 'P', 0xF2, 'C', '=', kArcl, kStackX, kAview});
  MemoryImage image = b.image();
  // Key assignments occupy registers from 0x0C0 up, marked 0xF0 in byte 6.
  const std::uint8_t assignments[7] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0};
  for (int i = 0; i < 7; ++i) set_byte(image, address_of(0x0C0, i), assignments[i]);
  // R00 to R02 hold numbers: 10, 3 and 4 in the calculator's BCD form.
  const std::uint8_t numbers[3][7] = {{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01},
                                      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03},
                                      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04}};
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; i < 7; ++i) set_byte(image, address_of(0x1C0 + r, i), numbers[r][i]);
  }
  return image;
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> case_fixtures() {
  const MemoryImage sample = sample_image();
  MemoryImage tight = sample;
  // The .END. is in 0x1B1; a register in use at 0x1AF leaves 0x1B0 free.
  set_byte(tight, address_of(0x1AF, 6), 0xF0);
  // TRI, the program nearest the .END., saved, with its checksum spoiled.
  std::vector<std::uint8_t> program;
  for (ByteAddress a = address_of(0x1B4, 4); a >= address_of(0x1B1, 0); --a) program.push_back(byte_at(sample, a));
  std::vector<std::uint8_t> bad = raw_file_contents(program);
  ++bad[program.size()];  // the checksum byte
  return {{"MY IMAGE", file_of(sample)}, {"TIGHT", file_of(tight)}, {"BAD.RAW", bad}};
}

}  // namespace plomb::testing
