#include "raw/raw_import.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plomb {
namespace {

RawImage raw_of(std::initializer_list<std::uint8_t> bytes) {
  RawImage raw;
  std::copy(bytes.begin(), bytes.end(), raw.bytes.begin());
  raw.n = static_cast<int>(bytes.size());
  return raw;
}

TEST(IsLoadable, AcceptsWholeInstructionsClosedByAnEndWithSoundLinks) {
  struct Case {
    const char* what;
    RawImage raw;
    bool loadable;
  };
  const Case cases[] = {
      {"empty", raw_of({}), false},
      {"one byte", raw_of({0xC0}), false},
      {"two bytes", raw_of({0xC0, 0x00}), false},
      {"an END alone", raw_of({0xC0, 0x00, 0x0D}), true},
      {"a .END. alone", raw_of({0xC0, 0x00, 0x2D}), true},
      {"zero links", raw_of({0xC0, 0x00, 0xF2, 0x00, 'A', 0xC0, 0x00, 0x0D}), true},
      {"topmost link to the old .END.", raw_of({0xC6, 0x00, 0xF2, 0x00, 'A', 0xC0, 0x00, 0x0D}), true},
      {"topmost link elsewhere", raw_of({0xC4, 0x00, 0xF2, 0x00, 'A', 0xC0, 0x00, 0x0D}), false},
      {"inner link to the entry above",
       raw_of({0xC0, 0x00, 0xF2, 0x00, 'A', 0xCA, 0x00, 0x0D, 0x40, 0xC0, 0x00, 0x0D}), true},
      {"inner link too long", raw_of({0xC0, 0x00, 0xF2, 0x00, 'A', 0xCC, 0x00, 0x0D, 0x40, 0xC0, 0x00, 0x0D}),
       false},
      {"closing link is rebuilt anyway", raw_of({0x40, 0xCD, 0xFF, 0x0D}), true},
      {"text swallows the END's first byte", raw_of({0xF3, 'A', 'B', 0xC0, 0x00, 0x0D}), false},
      {"text header past the end", raw_of({0x40, 0x1D, 0xF9, 0xC0, 0x00, 0x0D}), false},
      {"no closing entry", raw_of({0x40, 0x41, 0x42}), false},
      {"closing label", raw_of({0x40, 0xC0, 0x00, 0xF0}), false},
      {"closing 0xCE", raw_of({0x40, 0xCE, 0x00, 0x0D}), false},
      {"closing kind invalid", raw_of({0x40, 0xC0, 0x00, 0x35}), false},
      {"inner kind invalid", raw_of({0xC0, 0x00, 0x35, 0xC0, 0x00, 0x0D}), false},
      {"0xCE inside is a two-byte instruction", raw_of({0xCE, 0x05, 0xC0, 0x00, 0x0D}), true},
  };
  for (const Case& c : cases) EXPECT_EQ(is_loadable(c.raw), c.loadable) << c.what;
}

}  // namespace
}  // namespace plomb
