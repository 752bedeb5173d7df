#include "program/relink.h"

#include <gtest/gtest.h>

#include "program/chain_entry.h"

namespace plomb {
namespace {

TEST(InstructionLength, CoversEveryKindOfFirstByte) {
  struct Case {
    std::uint8_t first, second, third;
    int length;
  };
  const Case cases[] = {
      {0x00, 0, 0, 1},    {0x1C, 0, 0, 1},    {0x1D, 0xF3, 0, 5}, {0x1E, 0xF0, 0, 2}, {0x20, 0, 0, 1},
      {0x8F, 0, 0, 1},    {0x90, 0, 0, 2},    {0xAE, 0, 0, 2},    {0xAF, 0, 0, 1},    {0xB0, 0, 0, 1},
      {0xB1, 0, 0, 2},    {0xBF, 0, 0, 2},    {0xC0, 0, 0xF4, 7}, {0xCD, 0, 0x0D, 3}, {0xC2, 0, 0x29, 3},
      {0xCE, 0, 0, 2},    {0xCF, 0, 0, 2},    {0xD0, 0, 0, 3},    {0xEF, 0, 0, 3},    {0xF0, 0, 0, 1},
      {0xF3, 0, 0, 4},    {0xFF, 0, 0, 16},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(instruction_length(c.first, c.second, c.third), c.length) << std::hex << int(c.first);
  }
}

class Relink : public ::testing::Test {
 protected:
  void put(ByteAddress a, std::initializer_list<std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes) set_byte(image, a--, b);
  }
  // The first and second byte of the entry at `a`, as 0xFFSS.
  int link_at(ByteAddress a) { return byte_at(image, a) * 256 + byte_at(image, a - 1); }
  MemoryImage image;
};

TEST_F(Relink, FillsZeroLinksAndKeepsOthers) {
  const ByteAddress start = address_of(0x1C5, 2), stop = address_of(0x1C3, 2);
  put(start, {0xC2, 0x01, 0x00});                          // old .END., now an END, link 9
  put(address_of(0x1C4, 6), {0xC0, 0x00, 0xF3, 0x00, 'A', 'B', 0x40});  // label, one instruction
  put(address_of(0x1C3, 6), {0x00, 0x00, 0x00, 0x00});     // nulls
  put(stop, {0xC0, 0x00, 0x2D});                           // new .END.
  relink_chain(image, start, stop);
  EXPECT_EQ(link_at(start), 0xC201);
  EXPECT_EQ(link_at(address_of(0x1C4, 6)), 0xC600);
  EXPECT_EQ(link_at(stop), 0xC801);
  EXPECT_EQ(image.end_address, stop);
}

TEST_F(Relink, SingleEndProgramLinksTheNewEndToTheFormerEnd) {
  const ByteAddress start = address_of(0x150, 2), stop = address_of(0x14F, 2);
  put(start, {0xC0, 0x00, 0x00});  // the only entry: keeps its zero link
  put(address_of(0x14F, 6), {0x00, 0x00, 0x00, 0x00});
  put(stop, {0xC0, 0x00, 0x0D});
  relink_chain(image, start, stop);
  EXPECT_EQ(link_at(start), 0xC000);
  EXPECT_EQ(decode_link(byte_at(image, stop), byte_at(image, stop - 1)), start - stop);
}

TEST_F(Relink, LinkOfExactlyTwoHundredFiftySixRegistersIsNotZero) {
  const ByteAddress start = address_of(0x150, 2), stop = address_of(0x14F, 2);
  put(start, {0xC1, 0x00, 0x00});
  put(address_of(0x14F, 6), {0xC1, 0x00, 0x0D, 0x00});  // an END whose link is 256 registers
  put(stop, {0xC0, 0x00, 0x2D});
  relink_chain(image, start, stop);
  EXPECT_EQ(link_at(start), 0xC100);
  EXPECT_EQ(link_at(address_of(0x14F, 6)), 0xC100);
  EXPECT_EQ(decode_link(byte_at(image, stop), byte_at(image, stop - 1)), 4);
}

}  // namespace
}  // namespace plomb
