#include "image/summary.h"

#include <gtest/gtest.h>

#include "image/status_fields.h"

namespace plomb {
namespace {

MemoryImage image_with(int top, int r00, int end_register) {
  MemoryImage image;
  image.bottom = 0x0C0;
  image.top = top;
  set_byte(image, address_of(0x0D, 1), static_cast<std::uint8_t>((r00 & 0xF) << 4));
  set_byte(image, address_of(0x0D, 2), static_cast<std::uint8_t>(r00 >> 4));
  set_end_register(image, end_register);
  return image;
}

std::string summary_of(MemoryImage& image) {
  derive_fields(image);
  std::string text;
  {
    Console out(text);
    print_summary(image, out);
  }
  return text;
}

TEST(Summary, PrintsTheTwoLinesOfAnImage) {
  MemoryImage image = image_with(0x1FF, 0x1C0, 0x0D8);
  set_byte(image, address_of(0x0D4, 6), 0x12);  // ends the free block below 0x0D5
  set_program_pointer(image, address_of(0x0C3, 4));
  set_line_number(image, 0x00A);
  EXPECT_EQ(summary_of(image),
            "REGS=320 SIZE=64 R00=1C0 BOTTOM=0C0 TOP=1FF \r\n"
            "FIRST=0D5 .END.=0D8.2 PRGM=0C3.4 LINE=00A\r\n");
  EXPECT_EQ(free_space(image), 3 * 7);
}

TEST(Summary, RegsAndSizeFollowTheEndOfMainMemory) {
  struct Case {
    int top, r00;
    int mem_end;
    std::string first_line_start;
  };
  const Case cases[] = {
      {0x0BF, 0x0C0, 0x0C0, "REGS=0 SIZE=0 "},
      {0x0FF, 0x0C0, 0x100, "REGS=64 SIZE=64 "},
      {0x180, 0x0C0, 0x181, "REGS=193 SIZE=193 "},
      {0x3EF, 0x210, 0x200, "REGS=320 SIZE=-16 "},
  };
  for (const Case& c : cases) {
    MemoryImage image = image_with(c.top, c.r00, 0x0C0);
    EXPECT_EQ(summary_of(image).rfind(c.first_line_start, 0), 0u) << c.first_line_start;
    EXPECT_EQ(image.mem_end, c.mem_end);
  }
}

TEST(Summary, FreeBlockScanLooksOnlyAtByteSixAndStopsAtMainMemory) {
  MemoryImage image = image_with(0x1FF, 0x1C0, 0x0C8);
  set_byte(image, address_of(0x0C6, 0), 0xFF);  // byte 6 zero: still free
  set_byte(image, address_of(0x0C3, 6), 0x01);  // byte 6 set: ends the block
  derive_fields(image);
  EXPECT_EQ(image.first_free, 0x0C4);

  MemoryImage low = image_with(0x1FF, 0x1C0, 0x0C2);  // 0x0BF is zero too
  derive_fields(low);
  EXPECT_EQ(low.first_free, 0x0C0);

  MemoryImage at_bottom = image_with(0x1FF, 0x1C0, 0x0B0);
  derive_fields(at_bottom);
  EXPECT_EQ(at_bottom.first_free, 0x0B0);
  EXPECT_EQ(free_space(at_bottom), 0);
}

TEST(Summary, EndRegisterBeyondTheArrayScansDownOverZeros) {
  MemoryImage image = image_with(0x1FF, 0x1C0, 0xFFF);
  set_byte(image, address_of(0x100, 6), 0x01);
  derive_fields(image);
  EXPECT_EQ(image.first_free, 0x101);
  EXPECT_EQ(image.end_address, address_of(0xFFF, 2));
}

TEST(Summary, ProgramPointerByteNineShowsInTheNextRegister) {
  MemoryImage image = image_with(0x1FF, 0x1C0, 0x0D8);
  set_byte(image, address_of(0x0C, 0), 0xC3);
  set_byte(image, address_of(0x0C, 1), 0x90);
  EXPECT_NE(summary_of(image).find(" PRGM=0C4.2 "), std::string::npos);
}

}  // namespace
}  // namespace plomb
