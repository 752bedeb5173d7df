// plomb-focal as a user runs it: its commands and options, its messages and
// exit statuses, what it reads and what it writes (or leaves alone).
#include "cli/focal_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "raw/raw_export.h"
#include "support/test_files.h"

namespace plomb {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::TempDir;

struct FocalRun {
  int status = -1;
  std::string out;
  std::string err;
};

FocalRun focal(const std::vector<std::string>& arguments) {
  FocalStreams streams;
  FocalRun run;
  run.status = run_focal(arguments, streams);
  run.out = streams.out;
  run.err = streams.err;
  return run;
}

void write_text(const fs::path& file, const std::string& text) { testing::write_bytes(file, Bytes(text.begin(), text.end())); }

const fs::path kExamples = PLOMB_EXAMPLES_DIR;

TEST(FocalCommand, HelpVersionAndUsageErrors) {
  EXPECT_EQ(focal({"--help"}).status, kExitOk);
  EXPECT_NE(focal({"--help"}).out.find("plomb-focal list"), std::string::npos);
  EXPECT_EQ(focal({"--version"}).out, "plomb-focal 1.0.0\n");
  const std::vector<std::vector<std::string>> usage_errors = {
      {}, {"frobnicate"}, {"list"}, {"list", "--nope", "X"}, {"list", "X", "--xrom"}, {"compile"},
      {"compile", "a", "b", "c"}, {"compile", "--bytes", "a"}, {"compile", "-"}, {"compile", "prog.raw"}};
  for (const auto& arguments : usage_errors) {
    const FocalRun run = focal(arguments);
    EXPECT_EQ(run.status, kExitUsage) << (arguments.empty() ? "" : arguments[0]);
    EXPECT_EQ(run.err.rfind("plomb-focal: ", 0), 0u);
    EXPECT_EQ(run.out, "");
  }
}

TEST(FocalCommand, ListsAWriteProtectedImageAndWritesNothing) {
  TempDir dir;
  fs::copy_file(kExamples / "ZEMF", dir / "ZEMF");
  ::chmod((dir / "ZEMF").c_str(), 0444);
  const FocalRun run = focal({"list", (dir / "ZEMF").string()});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(run.out.rfind("01◆LBL \"TRI\"\n", 0), 0u);
  EXPECT_NE(run.out.find("\n\n01◆LBL \"AREA\"\n"), std::string::npos);
  EXPECT_EQ(testing::file_names(dir.path()), std::vector<std::string>{"ZEMF"});
  EXPECT_EQ(testing::read_bytes(dir / "ZEMF"), testing::read_bytes(kExamples / "ZEMF"));
}

TEST(FocalCommand, ListsOnlyTheProgramsHoldingTheLabelsAsked) {
  const std::string image = (kExamples / "ZEMF").string();
  const FocalRun run = focal({"list", "--ascii", image, "LEG", "CNT"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out.find("TRI"), std::string::npos);
  EXPECT_NE(run.out.find("01*LBL \"CNT\""), std::string::npos);
  EXPECT_NE(run.out.find("08*LBL \"LEG\""), std::string::npos);
  const FocalRun missing = focal({"list", image, "AREA", "NOPE"});
  EXPECT_EQ(missing.status, kExitBadInput);
  EXPECT_EQ(missing.err, "plomb-focal: " + image + ": no program holds the global label \"NOPE\"\n");
  EXPECT_EQ(missing.out, "");
}

TEST(FocalCommand, BytesColumnGivesImageAddressesAndRawOffsets) {
  const FocalRun image = focal({"list", "--bytes", (kExamples / "ZEMF").string(), "AREA"});
  EXPECT_EQ(image.out.substr(0, image.out.find('\n')), "1BF.6 C0 00 F5 00 41 52 45 41 | 01◆LBL \"AREA\"");
  const FocalRun raw = focal({"list", "--bytes", (kExamples / "AREA.004").string()});
  EXPECT_EQ(raw.out.substr(0, raw.out.find('\n')), "0000 C0 00 F5 00 41 52 45 41 | 01◆LBL \"AREA\"");
}

TEST(FocalCommand, ARawFileCutInsideAnInstructionListsAsFarAsItGoes) {
  TempDir dir;
  write_text(dir / "CUT", std::string("\x11\x40\x1D\xF5\x41\x42", 6));
  const FocalRun run = focal({"list", (dir / "CUT").string()});
  EXPECT_EQ(run.status, kExitBadInput);
  EXPECT_EQ(run.out, "01 1\n02 +\n");
  EXPECT_EQ(run.err, "plomb-focal: " + (dir / "CUT").string() + ": the file ends inside the instruction at byte offset 2\n");
  const FocalRun bad_sum = focal({"list", (dir / "BAD").string()});
  EXPECT_EQ(bad_sum.status, kExitBadInput);  // missing file
  Bytes spoiled = raw_file_contents(Bytes{0x40, 0xC0, 0x00, 0x0D});
  spoiled[4] ^= 1;
  testing::write_bytes(dir / "SUM", spoiled);
  EXPECT_EQ(focal({"list", (dir / "SUM").string()}).err,
            "plomb-focal: " + (dir / "SUM").string() + ": the checksum does not match the program bytes\n");
}

TEST(FocalCommand, CompilesToARawFileThatPlombLoads) {
  TempDir dir;
  fs::copy_file(kExamples / "ZEMF", dir / "ZEMF");
  write_text(dir / "SQ.txt", "01 LBL \"SQ\"\n02 X^2\n03 1\n04 2\n05 RTN\n");
  const FocalRun run = focal({"compile", (dir / "SQ.txt").string()});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(testing::read_bytes(dir / "SQ.RAW"),
            raw_file_contents(Bytes{0xC0, 0x00, 0xF3, 0x00, 'S', 'Q', 0x51, 0x11, 0x00, 0x12, 0x85, 0xC0, 0x00, 0x0D}));
  const testing::RunResult load = testing::run_tool(dir.path(), {"SQ.RAW", "ZEMF", "NEW"});
  EXPECT_EQ(load.output.find("INVALID"), std::string::npos) << load.output;
  const FocalRun listed = focal({"list", (dir / "NEW").string(), "SQ"});
  EXPECT_EQ(listed.status, kExitOk) << listed.err;
  EXPECT_NE(listed.out.find("01◆LBL \"SQ\"\n02 X↑2\n03 1\n04 2\n05 RTN\n"), std::string::npos) << listed.out;
}

TEST(FocalCommand, AWholeImageCompilesWithAWarningForItsInnerEnd) {
  TempDir dir;
  fs::copy_file(kExamples / "ZEMF", dir / "ZEMF");
  const FocalRun listed = focal({"list", (dir / "ZEMF").string()});
  write_text(dir / "ALL.txt", listed.out);
  const FocalRun run = focal({"compile", (dir / "ALL.txt").string()});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.err, "plomb-focal: " + (dir / "ALL.txt").string() +
                         ":11: warning: .END. is not the last instruction; it is kept, and a load leaves it inside "
                         "program memory (write END there to load the programs one after another)\n");
  const testing::RunResult load = testing::run_tool(dir.path(), {"ALL.RAW", "ZEMF", "NEW"});
  EXPECT_EQ(load.output.find("INVALID"), std::string::npos) << load.output;
}

TEST(FocalCommand, AFailedCompileWritesNothingAndKeepsAnOldFile) {
  TempDir dir;
  write_text(dir / "P.txt", "LBL \"P\"\nRCL 200\n");
  testing::write_bytes(dir / "P.RAW", Bytes{1, 2, 3});
  const FocalRun run = focal({"compile", (dir / "P.txt").string()});
  EXPECT_EQ(run.status, kExitBadInput);
  EXPECT_EQ(run.err, "plomb-focal: " + (dir / "P.txt").string() + ":2: parameter out of range in \"RCL 200\"\n");
  EXPECT_EQ(testing::read_bytes(dir / "P.RAW"), (Bytes{1, 2, 3}));
  // A target that cannot be replaced (a directory) is reported; nothing else is left.
  write_text(dir / "Q.txt", "BEEP\n");
  fs::create_directory(dir / "Q.RAW");
  const FocalRun blocked = focal({"compile", (dir / "Q.txt").string()});
  EXPECT_EQ(blocked.status, kExitBadInput);
  EXPECT_EQ(blocked.err, "plomb-focal: " + (dir / "Q.RAW").string() + ": cannot write the file\n");
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"P.RAW", "P.txt", "Q.RAW", "Q.txt"}));
}

TEST(FocalCommand, ModuleNameFilesAreReadAndTheirErrorsNamed) {
  TempDir dir;
  write_text(dir / "a.xrom", "10 01 MYFN\n");
  write_text(dir / "bad.xrom", "\n10 xx MYFN\n");
  write_text(dir / "P.txt", "MYFN\n");
  EXPECT_EQ(focal({"compile", (dir / "P.txt").string()}).status, kExitBadInput);
  const FocalRun run = focal({"compile", "--xrom", (dir / "a.xrom").string(), (dir / "P.txt").string(), (dir / "P.RAW").string()});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(testing::read_bytes(dir / "P.RAW"), raw_file_contents(Bytes{0xA2, 0x81, 0xC0, 0x00, 0x0D}));
  const FocalRun bad = focal({"compile", "--xrom", (dir / "bad.xrom").string(), (dir / "P.txt").string()});
  EXPECT_EQ(bad.status, kExitBadInput);
  EXPECT_EQ(bad.err.rfind("plomb-focal: " + (dir / "bad.xrom").string() + ":2: ", 0), 0u) << bad.err;
}

TEST(FocalCommand, StandardInputAndOutputAsAProcess) {
  TempDir dir;
  write_text(dir / "P.txt", "\"HI\"\nAVIEW\n");
  const std::string command = "cd '" + dir.path().string() + "' && '" + std::string(PLOMB_FOCAL_PATH) +
                              "' compile - - < P.txt > P.RAW 2> err.txt && '" + std::string(PLOMB_FOCAL_PATH) +
                              "' list - < P.RAW > out.txt 2>> err.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(testing::read_bytes(dir / "P.RAW"), raw_file_contents(Bytes{0xF2, 'H', 'I', 0x7E, 0xC0, 0x00, 0x0D}));
  const Bytes out = testing::read_bytes(dir / "out.txt");
  EXPECT_EQ(std::string(out.begin(), out.end()), "01 \"HI\"\n02 AVIEW\n03 END\n");
  EXPECT_TRUE(testing::read_bytes(dir / "err.txt").empty());
}

}  // namespace
}  // namespace plomb
