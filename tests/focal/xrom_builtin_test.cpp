#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "focal/xrom.h"

namespace plomb {
namespace {

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

const XromFunction* find(std::string_view name) {
  for (const XromFunction& f : builtin_xrom_functions()) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

struct KnownNumber {
  std::string_view name;
  int rom, function;
};

// Numbers that published programs and their raw files fix: the X-Functions
// ones appear as XROM bytes (A6 xx) in the corpus raw files at the listed steps.
TEST(BuiltinXrom, NumbersFromPublishedPrograms) {
  const KnownNumber cases[] = {
      {"GETKEY", 25, 17},  {"PSIZE", 25, 30},   {"PURFL", 25, 31}, {"RCLFLAG", 25, 32}, {"REGMOVE", 25, 35},
      {"REGSWAP", 25, 36}, {"SIZE?", 25, 44},   {"STOFLAG", 25, 45}, {"IND", 28, 30},   {"OUTA", 28, 35},
  };
  for (const KnownNumber& c : cases) {
    const XromFunction* f = find(c.name);
    ASSERT_NE(f, nullptr) << c.name;
    EXPECT_EQ(f->rom, c.rom) << c.name;
    EXPECT_EQ(f->function, c.function) << c.name;
  }
}

TEST(BuiltinXrom, UnicodeSpellingsBelongToTheirAsciiNames) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"SIGMAREG?", "ΣREG?"}, {"X#NN?", "X≠NN?"}, {"PRSIGMA", "PRΣ"}, {"7RCLSIGMA", "7RCLΣ"}};
  for (const auto& [name, unicode] : cases) {
    const XromFunction* f = find(name);
    ASSERT_NE(f, nullptr) << name;
    EXPECT_EQ(f->unicode_name, unicode) << name;
  }
}

TEST(BuiltinXrom, EveryEntryIsWellFormed) {
  ASSERT_FALSE(builtin_xrom_functions().empty());
  for (const XromFunction& f : builtin_xrom_functions()) {
    const std::string label = std::string(f.name) + " " + std::to_string(f.rom) + "," + std::to_string(f.function);
    EXPECT_LT(f.rom, 32) << label;
    EXPECT_LT(f.function, 64) << label;
    EXPECT_FALSE(f.name.empty()) << label;
    for (const char c : f.name) EXPECT_TRUE(c > ' ' && c < 0x7F) << label;
    EXPECT_NE(f.unicode_name, f.name) << label;
    EXPECT_EQ(f.unicode_name.find(' '), std::string_view::npos) << label;
  }
}

// Names are looked up without regard to letter case, by either spelling; one
// name must not stand for two functions, nor one function carry two entries.
TEST(BuiltinXrom, NamesAndNumbersAreUnique) {
  std::map<std::string, std::pair<int, int>> numbers_of;
  std::map<std::pair<int, int>, std::string> name_at;
  for (const XromFunction& f : builtin_xrom_functions()) {
    const std::pair<int, int> numbers{f.rom, f.function};
    for (const std::string_view spelling : {f.name, f.unicode_name}) {
      if (spelling.empty()) continue;
      const auto [it, added] = numbers_of.emplace(upper(spelling), numbers);
      EXPECT_TRUE(added || it->second == numbers) << spelling;
    }
    const auto [it, added] = name_at.emplace(numbers, std::string(f.name));
    EXPECT_TRUE(added) << f.name << " and " << it->second << " at " << numbers.first << "," << numbers.second;
  }
}

}  // namespace
}  // namespace plomb
