#include "program/listing.h"

#include <gtest/gtest.h>

#include "image/status_fields.h"
#include "program/chain_entry.h"
#include "support/image_builder.h"
#include "support/in_process.h"

namespace plomb {
namespace {

using testing::ImageBuilder;

RunState state_for(const MemoryImage& image) {
  RunState state;
  state.image = image;
  return state;
}

void put(MemoryImage& image, ByteAddress a, std::initializer_list<std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) set_byte(image, a--, b);
}

TEST(Listing, ListsEveryEntryFromTheEndUpward) {
  RunState state = state_for(ImageBuilder().label("AB", 0x21).code({0x40}).label("C").end().end_tag(0x29).image());
  const auto outcome = testing::list(state);
  EXPECT_TRUE(outcome.valid);
  EXPECT_EQ(outcome.output,
            "PROGRAMS:\r\n"
            "  1BD.2 CC0029 .END. PACKED\r\n"
            "  1BE.1 CA000D END\r\n"
            "  1BE.6 C001F2 LBL \"C\"\r\n"
            "  1BF.6 C000F3 LBL \"AB\" (ASN)\r\n"
            "\r\n");
  EXPECT_EQ(state.end_tag, 0x29);
}

// Lists one entry placed at the top of program memory, 0x1BF.6, with the
// .END. lower down at 0x1B0.2 linking up to it; returns the entry's line.
std::string line_for_entry(const std::vector<std::uint8_t>& entry) {
  MemoryImage image = ImageBuilder().image();
  const ByteAddress f = address_of(0x1BF, 6);
  for (std::size_t i = 0; i < entry.size(); ++i) set_byte(image, f - static_cast<ByteAddress>(i), entry[i]);
  const ByteAddress end = address_of(0x1B0, 2);
  const auto [first, second] = encode_link(f - end);
  put(image, end, {first, second, 0x2D});
  set_end_register(image, 0x1B0);
  RunState state = state_for(image);
  const std::string output = testing::list(state).output;
  const std::size_t start = output.find("  1BF.6 ");
  return start == std::string::npos ? output : output.substr(start, output.find("\r\n", start) - start);
}

TEST(Listing, TailsByKindOfEntry) {
  struct Case {
    std::vector<std::uint8_t> entry;
    std::string line;
  };
  const Case cases[] = {
      {{0xC0, 0x00, 0xF0}, "  1BF.6 C000F0 LBL \"\""},
      {{0xC0, 0x00, 0xF1, 0x05}, "  1BF.6 C000F1 LBL \"\" (ASN)"},
      {{0xC0, 0x00, 0xF4, 0x00, 'X', '/', 0xB7}, "  1BF.6 C000F4 LBL \"X/\xB7\""},
      {{0xC0, 0x00, 0xFF, 0x00, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N'},
       "  1BF.6 C000FF LBL \"ABCDEFGHIJKLMN\""},
      {{0xC0, 0x00, 0x0D}, "  1BF.6 C0000D END"},
      {{0xC0, 0x00, 0x2D}, "  1BF.6 C0002D .END."},
      {{0xCE, 0x00, 0x00}, "  1BF.6 CE0000 END"},  // reached by a link, 0xCE is an entry
      {{0xC0, 0x00, 0x35}, "  1BF.6 C00035 INVALID END"},
      {{0xB0, 0x00, 0x0D}, "  1BF.6 B0000D INVALID LBL/END"},
  };
  for (const Case& c : cases) EXPECT_EQ(line_for_entry(c.entry), c.line);
}

TEST(Listing, InvalidEntryEndsTheWalkAndTheImageIsInvalid) {
  MemoryImage image = ImageBuilder().label("A").end().image();
  put(image, address_of(0x1BF, 1), {0xC0, 0x00, 0x45});  // the END's third byte spoiled
  RunState state = state_for(image);
  const auto outcome = testing::list(state);
  EXPECT_FALSE(outcome.valid);
  EXPECT_EQ(outcome.output,
            "PROGRAMS:\r\n"
            "  1BE.2 CC002D .END.\r\n"
            "  1BF.1 C00045 INVALID END\r\n"
            "\r\n");
}

TEST(Listing, FirstEntryNotAChainEntryLeavesEndTagZero) {
  MemoryImage image = ImageBuilder().image();
  put(image, address_of(0x1BF, 2), {0x00});
  RunState state = state_for(image);
  state.end_tag = 0x55;
  const auto outcome = testing::list(state);
  EXPECT_FALSE(outcome.valid);
  EXPECT_EQ(outcome.output, "PROGRAMS:\r\n  1BF.2 00002D INVALID LBL/END\r\n\r\n");
  EXPECT_EQ(state.end_tag, 0);
}

TEST(Listing, NothingOutsideTheArrayIsRead) {
  // A .END. register beyond the last register lists as one invalid entry.
  MemoryImage beyond = ImageBuilder().image();
  set_end_register(beyond, 0xFFF);
  RunState state = state_for(beyond);
  auto outcome = testing::list(state);
  EXPECT_FALSE(outcome.valid);
  EXPECT_EQ(outcome.output, "PROGRAMS:\r\n  FFF.2 000000 INVALID LBL/END\r\n\r\n");

  // A link that leads past the top of the array ends the same way.
  MemoryImage high = ImageBuilder(0x040, 0x3EF, 0x3F0).image();
  put(high, address_of(0x3EF, 2), {0xCF, 0xFF});
  state = state_for(high);
  outcome = testing::list(state);
  EXPECT_FALSE(outcome.valid);
  EXPECT_NE(outcome.output.find("  5EF.2 000000 INVALID LBL/END\r\n"), std::string::npos) << outcome.output;
}

}  // namespace
}  // namespace plomb
