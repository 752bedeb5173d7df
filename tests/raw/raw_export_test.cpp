#include "raw/raw_export.h"

#include <gtest/gtest.h>

#include "support/image_builder.h"
#include "support/test_files.h"

namespace plomb {
namespace {

TEST(RawFileContents, ChecksumAndZeroFillToTheNextBlock) {
  const std::vector<std::uint8_t> end_only{0xC0, 0x00, 0x0D};
  const auto file = raw_file_contents(end_only);
  ASSERT_EQ(file.size(), 256u);
  EXPECT_EQ(file[3], 0xCD);
  EXPECT_EQ(std::count(file.begin() + 4, file.end(), 0), 252);

  EXPECT_EQ(raw_file_contents(std::vector<std::uint8_t>(254, 1)).size(), 256u);
  const auto full = raw_file_contents(std::vector<std::uint8_t>(255, 1));
  EXPECT_EQ(full.size(), 512u);  // a full block of zeros follows the checksum
  EXPECT_EQ(full[255], 255);
}

TEST(RawFileName, LabelCounterAndBaseName) {
  RunSettings settings{.mode = Mode::save, .raw_name = {}, .image_name = "ZEMF", .output_name = "PRGM", .save_flag = true};
  SaveCursor cursor;
  cursor.label_name = "AB";
  EXPECT_EQ(raw_file_name(cursor, settings), "AB.001");
  cursor.label_name = std::string("a/b\\c\0d", 7);
  cursor.counter = 42;
  EXPECT_EQ(raw_file_name(cursor, settings), "a_b_c_d.042");
  cursor.label_name.clear();
  cursor.counter = 1234;
  EXPECT_EQ(raw_file_name(cursor, settings), "PRGM.1234");
  settings.mode = Mode::save_all;
  settings.output_name = "X.RAW";
  EXPECT_EQ(raw_file_name(cursor, settings), "X.RAW.RAW");
}

TEST(SaveRawFile, CallsThatWriteNothing) {
  testing::TempDir dir;
  RunState state;
  state.image = testing::ImageBuilder().label("A").end().image();
  state.settings = {.mode = Mode::save, .raw_name = {}, .image_name = "ZEMF",
                    .output_name = (dir / "P").string(), .save_flag = true};
  std::string output;
  Console out(output);

  SaveCursor cursor{.lo = 100, .hi = 200, .label_name = "A", .counter = 1};
  save_raw_file(cursor, state, out, false);  // save flag clear: nothing changes
  EXPECT_EQ(cursor.label_name, "A");
  cursor.hi = -1;
  save_raw_file(cursor, state, out, true);  // no range yet
  EXPECT_EQ(cursor.label_name, "A");
  cursor.hi = 100;
  save_raw_file(cursor, state, out, true);  // a single byte writes nothing
  EXPECT_EQ(cursor.label_name, "");
  EXPECT_EQ(cursor.counter, 1);
  EXPECT_EQ(cursor.lo, 100);
  out.flush();
  EXPECT_EQ(output, "");
  EXPECT_TRUE(testing::file_names(dir.path()).empty());
}

}  // namespace
}  // namespace plomb
