#include "image/image_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/image_builder.h"
#include "support/test_files.h"

namespace plomb {
namespace {

using testing::Bytes;
using testing::ImageBuilder;
using testing::TempDir;

struct ReadOutcome {
  bool valid;
  std::string output;
};

ReadOutcome read(RunState& state, const std::filesystem::path& file) {
  ReadOutcome outcome;
  Console out(outcome.output);
  outcome.valid = read_image(state, out, file.string(), false);
  out.flush();
  return outcome;
}

ReadOutcome read_bytes_as_image(const Bytes& bytes) {
  TempDir dir;
  testing::write_bytes(dir / "IMG", bytes);
  RunState state;
  return read(state, dir / "IMG");
}

Bytes with_signature(std::string_view signature, std::size_t length) {
  Bytes bytes(length, 0);
  std::copy(signature.begin(), signature.end(), bytes.begin());
  return bytes;
}

TEST(ReadImage, FileChecksPrintTheCalcLineAndFail) {
  struct Case {
    Bytes bytes;
    std::string output;
  };
  const std::string good = "HPHP41-C";
  const Case cases[] = {
      {{}, "CALC=\r\n"},
      {Bytes{'H', 'P', 'H', 'P', '4'}, "CALC=HPHP4\r\n"},
      {with_signature("hphp41-c", 200), "CALC=hphp41-c\r\n"},
      {with_signature("HPHP41+C", 200), "CALC=HPHP41+C\r\n"},
      {with_signature(good, 12), "CALC=HPHP41-C\r\n"},   // ends in the five further bytes
      {with_signature(good, 124), "CALC=HPHP41-C\r\n"},  // ends in the status registers
      {with_signature(good, 126), "CALC=HPHP41-C\r\n"},  // not a whole number of registers
      {with_signature(good, 131), "CALC=HPHP41-C\r\n"},
  };
  for (const Case& c : cases) {
    const ReadOutcome outcome = read_bytes_as_image(c.bytes);
    EXPECT_FALSE(outcome.valid) << c.output;
    EXPECT_EQ(outcome.output, c.output);
  }
}

TEST(ReadImage, ModelBytesOfTheSignatureMayHoldAnything) {
  Bytes bytes = with_signature(std::string_view("HPHP4\0-\0", 8), 125);
  const ReadOutcome outcome = read_bytes_as_image(bytes);
  EXPECT_EQ(outcome.output.substr(0, 15), std::string("CALC=HPHP4\0-\0\r\n", 15));
  // The file tests pass; the summary follows (the empty chain is invalid).
  EXPECT_NE(outcome.output.find("REGS=0 SIZE=192 R00=000 BOTTOM=0C0 TOP=0BF \r\n"), std::string::npos);
}

TEST(ReadImage, BottomAndTopFollowTheNumberOfRecords) {
  struct Case {
    std::size_t records;
    int bottom, top;
  };
  const Case cases[] = {{336, 0x0C0, 0x1FF}, {337, 0x040, 0x180}, {960, 0x040, 0x3EF}, {961, 0x040, 0x3EF}};
  for (const Case& c : cases) {
    TempDir dir;
    testing::write_bytes(dir / "IMG", with_signature("HPHP41-C", 13 + 7 * c.records));
    RunState state;
    read(state, dir / "IMG");
    EXPECT_EQ(state.image.bottom, c.bottom) << c.records;
    EXPECT_EQ(state.image.top, c.top) << c.records;
  }
}

TEST(ReadImage, ValidImageIsLoadedSummarisedAndListed) {
  TempDir dir;
  testing::write_bytes(dir / "IMG", ImageBuilder().label("A").end().file());
  RunState state;
  const ReadOutcome outcome = read(state, dir / "IMG");
  EXPECT_TRUE(outcome.valid);
  EXPECT_EQ(outcome.output,
            "CALC=HPHP41-C\r\n"
            "REGS=320 SIZE=64 R00=1C0 BOTTOM=0C0 TOP=1FF \r\n"
            "FIRST=0C0 .END.=1BE.2 PRGM=1BF.6 LINE=000\r\n"
            "PROGRAMS:\r\n"
            "  1BE.2 CC002D .END.\r\n"
            "  1BF.1 CA000D END\r\n"
            "  1BF.6 C000F2 LBL \"A\"\r\n"
            "\r\n");
}

TEST(ReadImage, FilesThatCannotBeOpenedForUpdatePrintNothing) {
  TempDir dir;
  const auto image = dir / "IMG";
  testing::write_bytes(image, ImageBuilder().end().file());
  ::chmod(image.c_str(), 0444);  // the read-only mark, which holds for root too
  ::mkfifo((dir / "FIFO").c_str(), 0666);
  std::filesystem::create_directory(dir / "DIR");
  for (const char* name : {"IMG", "FIFO", "DIR", "MISSING"}) {
    RunState state;
    const ReadOutcome outcome = read(state, dir / name);
    EXPECT_FALSE(outcome.valid) << name;
    EXPECT_EQ(outcome.output, "") << name;
  }
  RunState state;
  EXPECT_FALSE(read(state, "/dev/zero").valid);
}

TEST(WriteImage, ReproducesTheFileAndDropsRecordsPastTheArray) {
  TempDir dir;
  Bytes bytes = with_signature("HPHP41-C", 13 + 7 * 961);
  for (std::size_t i = 13; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  testing::write_bytes(dir / "IMG", bytes);
  RunState state;
  read(state, dir / "IMG");
  ASSERT_TRUE(write_image(state.image, (dir / "OUT").string()));
  bytes.resize(13 + 7 * 960);
  EXPECT_EQ(testing::read_bytes(dir / "OUT"), bytes);
}

TEST(WriteImage, KeepsPermissionsAndReplacesTheFileALinkNames) {
  TempDir dir;
  const Bytes old_bytes = ImageBuilder().end().file();
  testing::write_bytes(dir / "REAL", old_bytes);
  ::chmod((dir / "REAL").c_str(), 0640);
  std::filesystem::create_symlink("REAL", dir / "LINK");
  RunState state;
  ASSERT_TRUE(read(state, dir / "LINK").valid);
  state.image.registers[0] = 0x77;
  ASSERT_TRUE(write_image(state.image, (dir / "LINK").string()));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "LINK"));
  EXPECT_EQ(testing::read_bytes(dir / "REAL").at(13), 0x77);
  struct stat st;
  ::stat((dir / "REAL").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"LINK", "REAL"}));
}

TEST(WriteImage, LeavesAReadOnlyFileAndAMissingDirectoryAlone) {
  TempDir dir;
  const Bytes old_bytes = ImageBuilder().end().file();
  testing::write_bytes(dir / "RO", old_bytes);
  ::chmod((dir / "RO").c_str(), 0444);
  RunState state;
  state.image.header = "HPHP41-C\1\2\3\4\5";
  state.image.bottom = 0x0C0;
  state.image.top = 0x0BF;
  EXPECT_FALSE(write_image(state.image, (dir / "RO").string()));
  EXPECT_EQ(testing::read_bytes(dir / "RO"), old_bytes);
  EXPECT_FALSE(write_image(state.image, (dir / "NO/SUCH").string()));
  EXPECT_EQ(testing::file_names(dir.path()), std::vector<std::string>{"RO"});
}

}  // namespace
}  // namespace plomb
