// Module function names: the built-in tables, name files, and a name two
// files number differently.
#include "focal/xrom.h"

#include <gtest/gtest.h>

#include "focal/listing_compiler.h"
#include "focal/program_listing.h"

namespace plomb {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Xrom, BuiltInNamesListAndCompileBothWays) {
  const XromNames xrom;
  EXPECT_EQ(xrom.name_of(25, 32, false), "RCLFLAG");
  const XromLookup found = xrom.lookup("rclflag");
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.rom, 25);
  EXPECT_EQ(found.function, 32);
  EXPECT_FALSE(xrom.lookup("NOSUCH").found);
}

TEST(Xrom, NameFilesAddNamesAndWinOverBuiltInOnes) {
  XromNames xrom;
  ASSERT_FALSE(xrom.add_file("# my module\n10 01 MYFN\n10 02 SUMX ΣX\n\n25 32 FLAGS  # renamed\n", "my.xrom"));
  EXPECT_EQ(xrom.name_of(10, 2, false), "ΣX");
  EXPECT_EQ(xrom.name_of(10, 2, true), "SUMX");
  EXPECT_EQ(xrom.name_of(25, 32, true), "FLAGS");
  const Bytes program = {0xA2, 0x82, 0xA6, 0x60, 0xC0, 0x00, 0x0D};
  const ProgramListing listing = list_program(program, xrom, false);
  ASSERT_EQ(listing.lines.size(), 3u);
  EXPECT_EQ(listing.lines[0].text, "ΣX");
  EXPECT_EQ(listing.lines[1].text, "FLAGS");
  const CompileResult result = compile_listing("MYFN\nsumx\nΣX\nRCLFLAG\n", xrom);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.program, (Bytes{0xA2, 0x81, 0xA2, 0x82, 0xA2, 0x82, 0xA6, 0x60, 0xC0, 0x00, 0x0D}));
}

TEST(Xrom, ANameTwoFilesNumberDifferentlyIsRefusedWhenUsed) {
  XromNames xrom;
  ASSERT_FALSE(xrom.add_file("10 01 TWICE\n10 02 ONCE\n", "a.xrom"));
  ASSERT_FALSE(xrom.add_file("11 05 TWICE\n", "b.xrom"));
  EXPECT_TRUE(compile_listing("ONCE\n", xrom).ok);
  const CompileResult result = compile_listing("ONCE\nTWICE\n", xrom);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error_line, 2);
  EXPECT_EQ(result.error, "module function \"TWICE\" is XROM 10,01 in a.xrom and XROM 11,05 in b.xrom");
  // Listed, such a function keeps its numbers.
  const Bytes program = {0xA2, 0x81, 0xC0, 0x00, 0x0D};
  EXPECT_EQ(list_program(program, xrom, false).lines[0].text, "XROM 10,01");
}

TEST(Xrom, MalformedNameFileLinesAreReportedWithTheirLine) {
  const std::string bad[] = {"10 01\n", "32 01 X\n", "10 64 X\n", "1a 01 X\n", "10 01 A B C\n"};
  for (const std::string& text : bad) {
    XromNames xrom;
    const auto error = xrom.add_file("# fine\n" + text, "t.xrom");
    ASSERT_TRUE(error) << text;
    EXPECT_EQ(error->substr(0, 3), "2: ") << text;
  }
}

}  // namespace
}  // namespace plomb
