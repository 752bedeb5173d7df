#include "program/chain_entry.h"

#include <gtest/gtest.h>

#include "program/address.h"

namespace plomb {
namespace {

TEST(AddressText, PrintsRegisterAndByteIndex) {
  EXPECT_EQ(address_text(0), "000.0");
  EXPECT_EQ(address_text(address_of(0x0A3, 2)), "0A3.2");
  EXPECT_EQ(address_text(kLastAddress), "3EF.6");
  EXPECT_EQ(address_text(address_of(0x0C5, 2)), "0C5.2");
  EXPECT_EQ(address_text(address_of(0xFFF, 2)), "FFF.2");
}

struct LinkCase {
  std::uint8_t first, second;
  int distance;
};

TEST(Links, DecodeByRegisterAndBytePart) {
  const LinkCase cases[] = {
      {0xC0, 0x00, 0},           {0xC4, 0x01, 9},           {0xC1, 0x00, 7 * 256},
      {0xCD, 0x3F, 7 * 319 + 6}, {0xCE, 0x00, 7},           {0xCF, 0xFF, 7 * 511 + 7},
  };
  for (const LinkCase& c : cases) EXPECT_EQ(decode_link(c.first, c.second), c.distance) << c.distance;
}

TEST(Links, EncodeGivesTheDocumentedBytes) {
  const LinkCase cases[] = {
      {0xC0, 0x00, 0}, {0xC4, 0x01, 9}, {0xC1, 0x00, 7 * 256}, {0xCD, 0x3F, 7 * 319 + 6}, {0xCD, 0xFF, 7 * 511 + 6},
  };
  for (const LinkCase& c : cases) {
    EXPECT_EQ(encode_link(c.distance), std::make_pair(c.first, c.second)) << c.distance;
  }
}

TEST(Links, EveryEncodableDistanceRoundTripsAndStaysAChainEntry) {
  for (int d = 0; d <= kLinkMaxDistance; ++d) {
    const auto [first, second] = encode_link(d);
    ASSERT_TRUE(starts_chain_entry(first)) << d;
    ASSERT_EQ(decode_link(first, second), d);
  }
}

TEST(EntryKind, FollowsTheHighNibbleOfTheThirdByte) {
  EXPECT_EQ(entry_kind(0xF4), EntryKind::label);
  EXPECT_EQ(entry_kind(0x0D), EntryKind::end);
  EXPECT_EQ(entry_kind(0x29), EntryKind::dot_end);
  EXPECT_EQ(entry_kind(0x10), EntryKind::invalid);
  EXPECT_EQ(entry_kind(0x35), EntryKind::invalid);
}

}  // namespace
}  // namespace plomb
