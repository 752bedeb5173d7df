#include "image/status_fields.h"

#include <gtest/gtest.h>

namespace plomb {
namespace {

std::uint8_t& status(MemoryImage& image, int register_number, int byte_index) {
  return image.registers[static_cast<std::size_t>(address_of(register_number, byte_index))];
}

TEST(StatusFields, EndRegisterKeepsTheLowNibbleOfR00) {
  MemoryImage image;
  status(image, 0x0D, 1) = 0xA3;
  set_end_register(image, 0x0D8);
  EXPECT_EQ(status(image, 0x0D, 0), 0xD8);
  EXPECT_EQ(status(image, 0x0D, 1), 0xA0);
  EXPECT_EQ(get_end_register(image), 0x0D8);
}

TEST(StatusFields, R00SpansNibblesThreeToFive) {
  MemoryImage image;
  status(image, 0x0D, 1) = 0x05;  // low nibble belongs to the .END. register
  status(image, 0x0D, 2) = 0x1C;
  EXPECT_EQ(get_r00(image), 0x1C0);
  status(image, 0x0D, 1) = 0xF5;
  EXPECT_EQ(get_r00(image), 0x1CF);
}

TEST(StatusFields, ProgramPointerReplacesTheWholeOfByteOne) {
  MemoryImage image;
  status(image, 0x0C, 1) = 0xFF;
  set_program_pointer(image, address_of(0x0C3, 4));
  EXPECT_EQ(status(image, 0x0C, 0), 0xC3);
  EXPECT_EQ(status(image, 0x0C, 1), 0x40);
  EXPECT_EQ(get_program_pointer(image), address_of(0x0C3, 4));
}

TEST(StatusFields, ProgramPointerByteNumberAboveSixCarriesIntoTheNextRegister) {
  MemoryImage image;
  status(image, 0x0C, 0) = 0xC3;
  status(image, 0x0C, 1) = 0x90;
  EXPECT_EQ(get_program_pointer(image), address_of(0x0C4, 2));
}

TEST(StatusFields, LineNumberKeepsTheHighNibbleOfByteOne) {
  MemoryImage image;
  status(image, 0x0F, 1) = 0x52;
  set_line_number(image, 0xFFF);
  EXPECT_EQ(status(image, 0x0F, 0), 0xFF);
  EXPECT_EQ(status(image, 0x0F, 1), 0x5F);
  EXPECT_EQ(get_line_number(image), 0xFFF);
}

}  // namespace
}  // namespace plomb
