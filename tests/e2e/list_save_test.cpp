// The built tool run as a process on images made by the test builder: whole
// standard output compared byte for byte, and the files left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "image/memory_image.h"
#include "raw/raw_export.h"
#include "support/image_builder.h"
#include "support/test_files.h"

namespace plomb {
namespace {

using testing::Bytes;
using testing::crlf;
using testing::ImageBuilder;
using testing::run_tool;
using testing::TempDir;
using testing::title_lines;

// Three programs: the topmost with the labels A and B, the middle one with
// none, the one nearest the .END. with the label C, closed by the .END.
ImageBuilder three_programs() {
  ImageBuilder b;
  b.label("A").code({0x40}).label("B", 0x11).end();
  b.code({0x41, 0x42}).end();
  b.label("C").code({0x43});
  return b;
}

const std::string kThreeProgramsHead = crlf({
    "CALC=HPHP41-C",
    "REGS=320 SIZE=64 R00=1C0 BOTTOM=0C0 TOP=1FF ",
    "FIRST=0C0 .END.=1BC.2 PRGM=1BF.6 LINE=000",
    "PROGRAMS:",
    "  1BC.2 CC002D .END.",
    "  1BD.1 C600F2 LBL \"C\"",
});

TEST(ListAndSave, NoArgumentsPrintsTheUsage) {
  TempDir dir;
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {""}}) {
    const auto result = run_tool(dir.path(), arguments);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.output, title_lines() + crlf({
                                                 "USAGE (load): PLOMB <FILENAME.RAW> [<ZEMF.OLD>] [<ZEMF.NEW>]",
                                                 "      (save): PLOMB - [<ZEMF>] [PRGM.RAW]",
                                                 "  (save all): PLOMB * [<ZEMF>] [PRGM.RAW]",
                                                 "  (list all): PLOMB ? [<ZEMF>]",
                                             }));
  }
  EXPECT_TRUE(testing::file_names(dir.path()).empty());
}

TEST(ListAndSave, ListWritesNothing) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", three_programs().file());
  const auto result = run_tool(dir.path(), {"", "?", "ZEMF", "IGNORED"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.output, title_lines() + crlf({"LOAD ZEMF ..."}) + kThreeProgramsHead +
                               crlf({
                                   "  1BD.4 CA000D END",
                                   "  1BE.2 CA000D END",
                                   "  1BF.0 CC00F2 LBL \"B\" (ASN)",
                                   "  1BF.6 C000F2 LBL \"A\"",
                                   "",
                               }));
  EXPECT_EQ(testing::file_names(dir.path()), std::vector<std::string>{"ZEMF"});
}

TEST(ListAndSave, SaveNamesEachProgramAfterItsFirstLabel) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", three_programs().file());
  const auto result = run_tool(dir.path(), {"-"});
  EXPECT_EQ(result.output, title_lines() + crlf({"SAVE ZEMF ..."}) + kThreeProgramsHead +
                               crlf({
                                   "->C.001 ",
                                   "  1BD.4 CA000D END",
                                   "->PRGM.002 ",
                                   "  1BE.2 CA000D END",
                                   "  1BF.0 CC00F2 LBL \"B\" (ASN)",
                                   "  1BF.6 C000F2 LBL \"A\"",
                                   "->A.003 ",
                                   "",
                               }));
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"A.003", "C.001", "PRGM.002", "ZEMF"}));
  EXPECT_EQ(testing::read_bytes(dir / "A.003"),
            raw_file_contents(Bytes{0xC0, 0x00, 0xF2, 0x00, 'A', 0x40, 0xCC, 0x00, 0xF2, 0x11, 'B', 0xCA, 0x00, 0x0D}));
  EXPECT_EQ(testing::read_bytes(dir / "PRGM.002"), raw_file_contents(Bytes{0x41, 0x42, 0xCA, 0x00, 0x0D}));
  // The program nearest the .END. is closed by the .END. itself.
  EXPECT_EQ(testing::read_bytes(dir / "C.001"),
            raw_file_contents(Bytes{0xC6, 0x00, 0xF2, 0x00, 'C', 0x43, 0xCC, 0x00, 0x2D}));
  const Bytes c_file = testing::read_bytes(dir / "C.001");
  EXPECT_EQ(c_file.size(), 256u);
  EXPECT_EQ(c_file[9], 0x37);  // the checksum: C6+F2+43+43+CC+2D modulo 256
}

TEST(ListAndSave, SaveAllWritesAllOfProgramMemoryToOneFile) {
  TempDir dir;
  testing::write_bytes(dir / "IMG", three_programs().file());
  const auto result = run_tool(dir.path(), {"*", "IMG", "X.RAW"});
  EXPECT_NE(result.output.find("  1BF.6 C000F2 LBL \"A\"\r\n->X.RAW.RAW \r\n\r\n"), std::string::npos);
  const Bytes raw = testing::read_bytes(dir / "X.RAW.RAW");
  ASSERT_EQ(raw.size(), 256u);
  EXPECT_EQ(Bytes(raw.begin(), raw.begin() + 3), (Bytes{0xC0, 0x00, 0xF2}));
  EXPECT_EQ(Bytes(raw.begin() + 25, raw.begin() + 28), (Bytes{0xCC, 0x00, 0x2D}));  // the .END.
  EXPECT_EQ(std::count(raw.begin() + 29, raw.end(), 0), 256 - 29);
}

TEST(ListAndSave, LabelBytesNeverChooseADirectory) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", ImageBuilder().label("../X/Y").end().file());
  const auto result = run_tool(dir.path(), {"-"});
  EXPECT_NE(result.output.find("->.._X_Y.002 \r\n"), std::string::npos) << result.output;
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{".._X_Y.002", "PRGM.001", "ZEMF"}));
}

TEST(ListAndSave, AFileThatCannotBeWrittenIsSkippedAndTheRestAreSaved) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", three_programs().file());
  std::filesystem::create_directory(dir / "PRGM.002");  // cannot be replaced by a file
  const Bytes old_c{'o', 'l', 'd'};
  testing::write_bytes(dir / "C.001", old_c);
  ::chmod((dir / "C.001").c_str(), 0444);  // read-only: kept, also for root
  const auto result = run_tool(dir.path(), {"-"});
  EXPECT_EQ(result.output.find("->C.001"), std::string::npos);
  EXPECT_EQ(result.output.find("->PRGM.002"), std::string::npos);
  EXPECT_NE(result.output.find("  1BF.6 C000F2 LBL \"A\"\r\n->A.003 \r\n"), std::string::npos);
  EXPECT_EQ(testing::read_bytes(dir / "C.001"), old_c);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "PRGM.002"));
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"A.003", "C.001", "PRGM.002", "ZEMF"}));
}

TEST(ListAndSave, InvalidEntryStillSavesTheRestAndReportsTheImage) {
  TempDir dir;
  MemoryImage image = three_programs().image();
  set_byte(image, address_of(0x1BD, 2), 0x77);  // the middle program's END spoiled
  testing::write_bytes(dir / "ZEMF", testing::file_of(image));
  const auto result = run_tool(dir.path(), {"-"});
  EXPECT_EQ(result.output, title_lines() + crlf({"SAVE ZEMF ..."}) + kThreeProgramsHead +
                               crlf({
                                   "  1BD.4 CA0077 INVALID END",
                                   "->C.001 ",
                                   "",
                                   "INVALID ZEMF FILE.",
                               }));
  // The range left over, all of program memory here, is still saved.
  EXPECT_EQ(testing::read_bytes(dir / "C.001").size(), 256u);
}

TEST(ListAndSave, ImagesThatCannotBeOpenedAreInvalid) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", three_programs().file());
  ::chmod((dir / "ZEMF").c_str(), 0444);
  EXPECT_EQ(run_tool(dir.path(), {"-"}).output, title_lines() + crlf({"SAVE ZEMF ...", "INVALID ZEMF FILE."}));
  EXPECT_EQ(run_tool(dir.path(), {"PROG", "MISSING"}).output,
            title_lines() + crlf({"LOAD MISSING ...", "RAW=PROG.RAW INVALID MISSING FILE."}));
  EXPECT_EQ(testing::file_names(dir.path()), std::vector<std::string>{"ZEMF"});
}

TEST(ListAndSave, BadSignatureIsReportedAfterItsCalcLine) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", ImageBuilder().signature("HPHP41+C").end().file());
  EXPECT_EQ(run_tool(dir.path(), {"?"}).output,
            title_lines() + crlf({"LOAD ZEMF ...", "CALC=HPHP41+C", "INVALID ZEMF FILE."}));
}

}  // namespace
}  // namespace plomb
