// Whole listings: how programs print (step numbers, the printer's marks,
// blank lines, the bytes column) and how listings compile (numbers and their
// nulls, comments, line ends, closing END, limits).
#include <gtest/gtest.h>

#include "focal/listing_compiler.h"
#include "focal/program_listing.h"

namespace plomb {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string print(const Bytes& program, bool ascii = false, bool with_bytes = false) {
  const XromNames xrom;
  std::string out;
  ListingStyle style{.ascii = ascii, .where = {}, .line_end = "\n"};
  if (with_bytes) style.where = [](std::size_t offset) { return std::to_string(offset); };
  append_listing(out, list_program(program, xrom, ascii), program, style);
  return out;
}

CompileResult compile(const std::string& text) {
  const XromNames xrom;
  return compile_listing(text, xrom);
}

TEST(Listing, NumbersStepsAndMarksGlobalLabelsAsThePrinterDoes) {
  const Bytes program = {0xC0, 0x00, 0xF3, 0x00, 'A', 'B', 0x51, 0xC0, 0x00, 0xF2, 0x00, 'C', 0x85, 0xC0, 0x00, 0x0D};
  EXPECT_EQ(print(program),
            "01◆LBL \"AB\"\n"
            "02 X↑2\n"
            "\n"
            "03◆LBL \"C\"\n"
            "04 RTN\n"
            "05 END\n");
  EXPECT_EQ(print(program, true),
            "01*LBL \"AB\"\n"
            "02 X^2\n"
            "\n"
            "03*LBL \"C\"\n"
            "04 RTN\n"
            "05 END\n");
}

TEST(Listing, StepNumbersGrowToThreeDigitsAndNullsAreNoSteps) {
  Bytes program(100, 0x40);
  program.push_back(0x00);
  program.insert(program.end(), {0xC0, 0x00, 0x0D});
  const std::string text = print(program);
  EXPECT_NE(text.find("\n99 +\n100 +\n;@ 00\n101 END\n"), std::string::npos) << text;
}

TEST(Listing, BytesColumnShowsWhereEachLineLiesAndCompilesBack) {
  const Bytes program = {0x11, 0x00, 0x12, 0x90, 0x05, 0xC0, 0x00, 0x0D};
  const std::string text = print(program, false, true);
  EXPECT_EQ(text,
            "0 11 00 | 01 1\n"
            "2 12 | 02 2\n"
            "3 90 05 | 03 RCL 05 ;@ 90 05\n"
            "5 C0 00 0D | 04 END\n");
  const CompileResult result = compile(text);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.program, program);
}

TEST(Listing, NumbersGetTheNullBetweenThemAndKeepItsAbsence) {
  struct Case {
    Bytes program;
    std::string listing;
  };
  const Case cases[] = {
      // The calculator's null between two numbers is implied.
      {{0x11, 0x00, 0x12, 0xC0, 0x00, 0x0D}, "01 1\n02 2\n03 END\n"},
      // Also across an instruction with an indirect parameter.
      {{0x11, 0x91, 0x86, 0x00, 0x12, 0xC0, 0x00, 0x0D}, "01 1\n02 STO IND 06\n03 2\n04 END\n"},
      // Not across another instruction.
      {{0x11, 0x91, 0x06, 0x12, 0xC0, 0x00, 0x0D}, "01 1\n02 STO 06 ;@ 91 06\n03 2\n04 END\n"},
      // A null where none is implied is written; one missing is kept missing.
      {{0x11, 0x40, 0x00, 0x12, 0xC0, 0x00, 0x0D}, "01 1\n02 +\n;@ 00\n03 2\n04 END\n"},
      {{0x11, 0x91, 0x86, 0x12, 0xC0, 0x00, 0x0D}, "01 1\n02 STO IND 06\n03 2 ;@ 12\n04 END\n"},
      // Two nulls between numbers: one implied, one written.
      {{0x11, 0x00, 0x00, 0x12, 0xC0, 0x00, 0x0D}, "01 1\n;@ 00\n;@ 00\n02 2\n03 END\n"},
      // A lone minus sign after a number carries its bytes, so its null is written.
      {{0x11, 0x00, 0x1C, 0xC0, 0x00, 0x0D}, "01 1\n;@ 00\n02 - ;@ 1C\n03 END\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(print(c.program), c.listing);
    const CompileResult result = compile(c.listing);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.program, c.program) << c.listing;
  }
}

TEST(Compile, ReadsPublishedListingConventions) {
  const std::string listing =
      "\xEF\xBB\xBF; a banner comment\r\n"
      "# another comment\r\n"
      "\r\n"
      "\t01\tLBL \"A\"\t; the start\r\n"
      " 02 STO 01\r\n"
      "03 \"X;Y\"   ; a semicolon in quotes is text\r\n"
      "04 RTN # a comment after a blank\r\n";
  const CompileResult result = compile(listing);
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.program, (Bytes{0xC0, 0x00, 0xF2, 0x00, 'A', 0x31, 0xF3, 'X', ';', 'Y', 0x85, 0xC0, 0x00, 0x0D}));
}

TEST(Compile, SeveralProgramsStayTogetherAndTheLastIsClosed) {
  const CompileResult result = compile("LBL \"A\"\nEND\nLBL \"B\"\nBEEP\n");
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.program, (Bytes{0xC0, 0x00, 0xF2, 0x00, 'A', 0xC0, 0x00, 0x0D, 0xC0, 0x00, 0xF2, 0x00, 'B', 0x86,
                                   0xC0, 0x00, 0x0D}));
  const CompileResult closed = compile("BEEP\n.END.\n");
  ASSERT_TRUE(closed.ok);
  EXPECT_EQ(closed.program, (Bytes{0x86, 0xC0, 0x00, 0x2D}));
}

TEST(Compile, RefusesWhatIsNoProgram) {
  EXPECT_EQ(compile("; only comments\n\n").error, "no instructions");
  std::string big;
  for (int i = 0; i < 2238; ++i) big += "+\n";
  const CompileResult result = compile(big);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "the program takes 2241 bytes, more than the calculator's 2240");
  big.resize(big.size() - 2);
  EXPECT_TRUE(compile(big).ok);
}

}  // namespace
}  // namespace plomb
