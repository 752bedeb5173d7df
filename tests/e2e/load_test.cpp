// Load mode run as a process: a raw program file added below the .END.,
// the written image and its listing, and every refusal leaving the image
// file exactly as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "image/memory_image.h"
#include "raw/raw_export.h"
#include "support/image_builder.h"
#include "support/sample_image.h"
#include "support/test_files.h"

namespace plomb {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::crlf;
using testing::ImageBuilder;
using testing::run_tool;
using testing::TempDir;
using testing::title_lines;

// A program of 10 bytes: a label with a zero link, one instruction, an END.
const Bytes kTenBytes{0xC0, 0x00, 0xF3, 0x00, 'A', 'B', 0x40, 0xC0, 0x00, 0x0D};

// An image whose .END. lies in register 0x1C5 with nothing above it.
ImageBuilder end_at_1c5() { return ImageBuilder(0x0C0, 0x1FF, 0x1C6); }

struct Load {
  testing::RunResult result;
  Bytes image_before, image_after;
};

Load load(TempDir& dir, const Bytes& image, const Bytes& raw, std::vector<std::string> arguments = {"P", "ZEMF"},
          testing::RunOptions options = {}) {
  testing::write_bytes(dir / "ZEMF", image);
  testing::write_bytes(dir / "P.RAW", raw);
  Load outcome;
  outcome.image_before = image;
  outcome.result = run_tool(dir.path(), arguments, options);
  outcome.image_after = testing::read_bytes(dir / "ZEMF");
  return outcome;
}

// A raw file as the save modes write it: program, checksum, zero fill.
Bytes raw_of(const Bytes& program) { return raw_file_contents(program); }

void put(MemoryImage& image, ByteAddress a, const Bytes& bytes) {
  for (const std::uint8_t b : bytes) set_byte(image, a--, b);
}

TEST(Load, PlacesTheProgramWithNullsAndANewEnd) {
  TempDir dir;
  const Load outcome = load(dir, end_at_1c5().file(), raw_file_contents(kTenBytes));
  EXPECT_EQ(outcome.result.exit_status, 0);
  EXPECT_EQ(outcome.result.output, title_lines() + crlf({
                                                       "LOAD ZEMF ...",
                                                       "RAW=P.RAW CALC=HPHP41-C",
                                                       "REGS=320 SIZE=58 R00=1C6 BOTTOM=0C0 TOP=1FF ",
                                                       "FIRST=0C0 .END.=1C5.2 PRGM=1C5.6 LINE=000",
                                                       "PROGRAMS:",
                                                       "  1C5.2 C0002D .END.",
                                                       "",
                                                       "LOADING FROM ZEMF TO ZEMF (CHECKSUM=43 FREE=1827 RAW=10) ... ",
                                                       "",
                                                       "CALC=HPHP41-C",
                                                       "REGS=320 SIZE=58 R00=1C6 BOTTOM=0C0 TOP=1FF ",
                                                       "FIRST=0C0 .END.=1C3.2 PRGM=1C4.6 LINE=FFF",
                                                       "PROGRAMS:",
                                                       "  1C3.2 C8012D .END.",
                                                       "  1C4.6 C600F3 LBL \"AB\"",
                                                       "  1C5.2 C00000 END",
                                                       "",
                                                   }));
  // Every byte as it should be: the old .END. an END, the program from
  // 0x1C4.6 down, nulls over its closing END, the new .END. in 0x1C3.
  MemoryImage expected = end_at_1c5().image();
  put(expected, address_of(0x1C5, 0), {0x00});
  put(expected, address_of(0x1C4, 6), {0xC6, 0x00, 0xF3, 0x00, 'A', 'B', 0x40, 0x00, 0x00, 0x00, 0x00});
  put(expected, address_of(0x1C3, 2), {0xC8, 0x01, 0x2D});
  put(expected, address_of(0x0C, 1), {0x61, 0xC4});  // program pointer 0x1C4.6
  put(expected, address_of(0x0D, 1), {0x61, 0xC3});  // .END. register 0x1C3
  put(expected, address_of(0x0F, 1), {0x0F, 0xFF});  // line number 0xFFF
  EXPECT_EQ(outcome.image_after, testing::file_of(expected));
}

TEST(Load, WholeRegistersNeedNoNullsAndAPackedMarkCarriesOver) {
  TempDir dir;
  const Bytes fourteen{0xC0, 0x00, 0xF3, 0x00, 'A', 'B', 0x40, 0x41, 0x42, 0x43, 0x44, 0xC0, 0x00, 0x0D};
  const Load outcome = load(dir, end_at_1c5().end_tag(0x29).file(), raw_file_contents(fourteen), {"P", "ZEMF", "NEW"});
  EXPECT_NE(outcome.result.output.find("LOADING FROM ZEMF TO NEW (CHECKSUM="), std::string::npos);
  EXPECT_NE(outcome.result.output.find("PROGRAMS:\r\n  1C3.2 C80129 .END. PACKED\r\n  1C4.6 C600F3 LBL \"AB\"\r\n"),
            std::string::npos)
      << outcome.result.output;
  EXPECT_EQ(outcome.image_after, outcome.image_before);  // written to NEW
  const Bytes written = testing::read_bytes(dir / "NEW");
  MemoryImage expected = end_at_1c5().end_tag(0x29).image();
  ASSERT_EQ(written.size(), testing::file_of(expected).size());
  // The .END. takes the closing END's place: 0x1C3 bytes 2, 1, 0.
  const std::size_t end_offset = 125 + 7 * (0x1C3 - 0x0C0);
  EXPECT_EQ(Bytes(written.begin() + end_offset, written.begin() + end_offset + 3), (Bytes{0x29, 0x01, 0xC8}));
}

TEST(Load, SpaceCheckAcceptsExactlyTheFreeBytes) {
  // .END. in 0x1BF with 0x1BE free and 0x1BD in use: 7 free bytes.
  MemoryImage image = ImageBuilder().image();
  put(image, address_of(0x1BD, 6), {0x01});
  const Bytes image_file = testing::file_of(image);
  {
    TempDir dir;
    const Load fits = load(dir, image_file, raw_of({0x40, 0x41, 0x42, 0x43, 0xC0, 0x00, 0x0D}));
    EXPECT_NE(fits.result.output.find("(CHECKSUM=D3 FREE=7 RAW=7) ... \r\n\r\nCALC="), std::string::npos);
    EXPECT_NE(fits.result.output.find("FIRST=1BE .END.=1BE.2 PRGM=1BE.6 LINE=FFF"), std::string::npos)
        << fits.result.output;
  }
  {
    TempDir dir;
    const Load too_big = load(dir, image_file, raw_of({0x40, 0x40, 0x41, 0x42, 0x43, 0xC0, 0x00, 0x0D}));
    EXPECT_TRUE(too_big.result.output.ends_with(
        "\r\n\r\nLOADING FROM ZEMF TO ZEMF (CHECKSUM=13 FREE=7 RAW=8) ... NOT ENOUGH SPACE.\r\n"))
        << too_big.result.output;
    EXPECT_EQ(too_big.image_after, too_big.image_before);
  }
}

TEST(Load, ChecksumsAndTheZeroFill) {
  TempDir dir;
  Bytes wrong = raw_file_contents(kTenBytes);
  wrong[10] ^= 0x01;
  Load outcome = load(dir, end_at_1c5().file(), wrong);
  EXPECT_TRUE(outcome.result.output.ends_with("  1C5.2 C0002D .END.\r\n\r\nINVALID P.RAW CHECKSUM.\r\n"));
  EXPECT_EQ(outcome.image_after, outcome.image_before);

  // A checksum of 0x00 is dropped with the zero fill; the program then has
  // no checksum and loads whole.
  outcome = load(dir, end_at_1c5().file(), raw_of({0x33, 0xC0, 0x00, 0x0D}));
  EXPECT_NE(outcome.result.output.find("(CHECKSUM=00 FREE=1827 RAW=4) ... \r\n"), std::string::npos);
  EXPECT_NE(outcome.result.output.find("LINE=FFF"), std::string::npos);
}

TEST(Load, OnlyTheFirst2240BytesOfARawFileCount) {
  TempDir dir;
  Bytes raw(4000, 0xFF);  // past the 2240th byte: never read
  std::fill_n(raw.begin(), 2237, 0x40);
  raw[2237] = 0xC0;  // the END closing the 2240 bytes
  raw[2238] = 0x00;
  raw[2239] = 0x0D;
  const Load outcome = load(dir, ImageBuilder(0x040, 0x3EF, 0x300).file(), raw);
  EXPECT_NE(outcome.result.output.find("(CHECKSUM=00 FREE=4025 RAW=2240) ... \r\n"), std::string::npos)
      << outcome.result.output;
  EXPECT_NE(outcome.result.output.find("FIRST=0C0 .END.=1BF.2 PRGM=2FE.6 LINE=FFF"), std::string::npos);
}

TEST(Load, RawFilesThatCannotBeLinkedInAreRefusedUntouched) {
  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"nothing but zeros", Bytes(256, 0)},
      {"two bytes", {0xC2, 0x05}},
      {"no closing END", raw_of({0x40, 0x41, 0x42, 0x43})},
      {"text runs into the END", {0x40, 0xF3, 0x41, 0x42, 0xC0, 0x00, 0x0D}},
      {"label link pointing elsewhere", raw_of({0xC2, 0x00, 0xF1, 0x00, 0xC0, 0x00, 0x0D})},
      {"closing label", {0x40, 0x40, 0xC0, 0x00, 0xF0}},
      {"entry of no kind", raw_of({0xC0, 0x00, 0x45, 0xC0, 0x00, 0x0D})},
  };
  for (const auto& [what, raw] : cases) {
    TempDir dir;
    const Load outcome = load(dir, end_at_1c5().file(), raw);
    EXPECT_TRUE(outcome.result.output.ends_with("  1C5.2 C0002D .END.\r\n\r\nINVALID P.RAW FILE.\r\n")) << what;
    EXPECT_EQ(outcome.image_after, outcome.image_before) << what;
    EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"P.RAW", "ZEMF"})) << what;
  }
}

TEST(Load, MissingOrReadOnlyRawFileIsRefused) {
  TempDir dir;
  Load outcome = load(dir, end_at_1c5().file(), raw_file_contents(kTenBytes), {"Q", "ZEMF"});
  EXPECT_TRUE(outcome.result.output.ends_with("\r\n\r\nINVALID Q.RAW FILE.\r\n"));
  ::chmod((dir / "P.RAW").c_str(), 0444);
  outcome.result = run_tool(dir.path(), {"P.RAW", "ZEMF"});
  EXPECT_TRUE(outcome.result.output.ends_with("\r\n\r\nINVALID P.RAW FILE.\r\n"));
  EXPECT_EQ(testing::read_bytes(dir / "ZEMF"), outcome.image_before);
}

TEST(Load, AFailedWriteLeavesTheOldImageWhole) {
  TempDir dir;
  const Bytes image = end_at_1c5().file();
  // The image is 2365 bytes; the system refuses to let the tool write more
  // than 1000 bytes into any file.
  const Load outcome = load(dir, image, raw_file_contents(kTenBytes), {"P", "ZEMF"}, {.file_size_limit = 1000});
  EXPECT_TRUE(outcome.result.output.ends_with("RAW=10) ... \r\n\r\nINVALID ZEMF FILE.\r\n")) << outcome.result.output;
  EXPECT_EQ(outcome.result.exit_status, 0);
  EXPECT_EQ(outcome.image_after, image);
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"P.RAW", "ZEMF"}));

  // A read-only output file is not replaced.
  testing::write_bytes(dir / "OUT", {'o', 'l', 'd'});
  ::chmod((dir / "OUT").c_str(), 0444);
  const auto result = run_tool(dir.path(), {"P", "ZEMF", "OUT"});
  EXPECT_TRUE(result.output.ends_with("\r\n\r\nINVALID OUT FILE.\r\n"));
  EXPECT_EQ(testing::read_bytes(dir / "OUT"), (Bytes{'o', 'l', 'd'}));
}

// Every program of the sample, saved with "-", loads into another image,
// and saving it again from there gives the same instruction bytes back.
TEST(Load, EverySavedSampleProgramLoadsAndSavesBackTheSame) {
  TempDir saved;
  testing::write_bytes(saved / "ZEMF", testing::file_of(testing::sample_image()));
  run_tool(saved.path(), {"-"});
  for (const std::string& name : testing::file_names(saved.path())) {
    if (name == "ZEMF") continue;
    TempDir dir;
    fs::copy_file(saved / name, dir / name);
    testing::write_bytes(dir / "ZEMF", ImageBuilder().label("OLD").code({0x40}).end().file());
    const auto loaded = run_tool(dir.path(), {name});
    ASSERT_NE(loaded.output.find("LINE=FFF"), std::string::npos) << name << loaded.output;
    ASSERT_EQ(loaded.output.find("INVALID"), std::string::npos) << name << loaded.output;

    run_tool(dir.path(), {"-", "ZEMF", "AGAIN"});
    // The loaded program is the one nearest the .END. now: file 001, named
    // after its first label like the original.
    const Bytes original = testing::read_bytes(saved / name);
    const std::string label = name.substr(0, name.find('.'));
    const Bytes again = testing::read_bytes(dir / (label + ".001"));
    ASSERT_FALSE(again.empty()) << name;
    // Equal up to the closing entry, whose END became nulls and the new
    // .END.; a zero link of the topmost entry is now filled in.
    std::size_t n = original.size();
    while (n > 0 && original[n - 1] == 0) --n;
    const auto program_end = static_cast<long>(n - 1 - 3);  // without checksum and closing entry
    const long from = original[0] == 0xC0 && original[1] == 0x00 ? 2 : 0;
    EXPECT_EQ(Bytes(again.begin() + from, again.begin() + program_end),
              Bytes(original.begin() + from, original.begin() + program_end))
        << name;
  }
}

}  // namespace
}  // namespace plomb
