#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace plomb {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, SplitsOnBlanksAndControlCharactersOutsideQuotes) {
  struct Case {
    std::string line;
    Args arguments;
  };
  const Case cases[] = {
      {"plomb", {"plomb"}},
      {"  plomb \t - \r\n ZEMF  ", {"plomb", "-", "ZEMF"}},
      {"plomb \"my image\" x", {"plomb", "my image", "x"}},
      {"plomb \"-\"", {"plomb", "-"}},
      {"plomb a\"b c\"d", {"plomb", "ab cd"}},
      {"plomb \"\" PROG", {"plomb", "PROG"}},        // an empty pair does not count
      {"plomb \"\"\"\" PROG", {"plomb", "PROG"}},    // nor do two of them
      {"plomb \"\"PROG", {"plomb", "PROG"}},
      {"plomb x\"\"y", {"plomb", "xy"}},
      {"plomb \"open to the end", {"plomb", "open to the end"}},
      {"plomb \"", {"plomb"}},
      {"plomb \xC3\xA9t\xC3\xA9 \x81\x40", {"plomb", "\xC3\xA9t\xC3\xA9", "\x81\x40"}},
      {std::string("plomb a\0b", 9), {"plomb", "a"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(split_command_line(c.line), c.arguments) << c.line;
}

TEST(RawName, AppendsRawUnlessTheNameHasAnExtension) {
  const std::pair<std::string, std::string> cases[] = {
      {"PROG", "PROG.RAW"},
      {"PROG.raw", "PROG.raw"},
      {"PROG.TXT", "PROG.TXT"},
      {"PROG.", "PROG."},
      {"DIR.V2\\PROG", "DIR.V2\\PROG.RAW"},
      {"A:PROG", "A:PROG.RAW"},
      {"DIR.V2/PROG", "DIR.V2/PROG"},
      {"-x", "-x.RAW"},
  };
  for (const auto& [argument, raw_name] : cases) EXPECT_EQ(raw_name_for(argument), raw_name);
}

TEST(Settings, ModesAndDefaults) {
  struct Case {
    Args arguments;
    Mode mode;
    std::string raw_name, image_name, output_name;
    bool save_flag;
  };
  const Case cases[] = {
      {{"-"}, Mode::save, "", "ZEMF", "PRGM", true},
      {{"*", "IMG", "X.RAW"}, Mode::save_all, "", "IMG", "X.RAW", true},
      {{"?"}, Mode::list_all, "", "ZEMF", "ZEMF", false},
      {{"?", "IMG", "IGNORED"}, Mode::list_all, "", "IMG", "IGNORED", false},
      {{"PROG"}, Mode::load, "PROG.RAW", "ZEMF", "ZEMF", false},
      {{"PROG", "OLD"}, Mode::load, "PROG.RAW", "OLD", "OLD", false},
      {{"PROG", "OLD", "NEW", "MORE"}, Mode::load, "PROG.RAW", "OLD", "NEW", false},
      {{"--"}, Mode::load, "--.RAW", "ZEMF", "ZEMF", false},
      {{"??"}, Mode::load, "??.RAW", "ZEMF", "ZEMF", false},
      {{"+"}, Mode::load, "+.RAW", "ZEMF", "ZEMF", false},
  };
  for (const Case& c : cases) {
    const auto settings = settings_from_arguments(c.arguments);
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->mode, c.mode) << c.arguments[0];
    EXPECT_EQ(settings->raw_name, c.raw_name);
    EXPECT_EQ(settings->image_name, c.image_name);
    EXPECT_EQ(settings->output_name, c.output_name);
    EXPECT_EQ(settings->save_flag, c.save_flag);
  }
  EXPECT_FALSE(settings_from_arguments(Args{}).has_value());
}

}  // namespace
}  // namespace plomb
