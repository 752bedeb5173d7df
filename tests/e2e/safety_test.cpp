// The user's files under faults and hostile input: writes that fail part
// way, the tool killed in the middle of replacing the image, and inputs that
// are not what they claim to be.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "image/status_fields.h"
#include "raw/raw_export.h"
#include "support/image_builder.h"
#include "support/sample_image.h"
#include "support/test_files.h"

namespace plomb {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ImageBuilder;
using testing::run_tool;
using testing::TempDir;

bool has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

// Makes `file` `length` bytes long, beginning with `start`, without
// writing the rest (a sparse file).
void write_sparse(const fs::path& file, const Bytes& start, off_t length) {
  testing::write_bytes(file, start);
  ASSERT_EQ(::truncate(file.c_str(), length), 0);
}

TEST(Faults, SaveUnderAFileSizeLimitLeavesExistingFilesAlone) {
  TempDir dir;
  testing::write_bytes(dir / "ZEMF", testing::file_of(testing::sample_image()));
  const Bytes old_tri{'o', 'l', 'd'};
  testing::write_bytes(dir / "TRI.001", old_tri);
  // Every raw file is 256 bytes; none may grow past 100.
  const auto result = run_tool(dir.path(), {"-"}, {.file_size_limit = 100});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_FALSE(has(result.output, "->"));
  EXPECT_TRUE(result.output.ends_with("LBL \"AREA\"\r\n\r\n"));
  EXPECT_EQ(testing::read_bytes(dir / "TRI.001"), old_tri);
  EXPECT_EQ(testing::file_names(dir.path()), (std::vector<std::string>{"TRI.001", "ZEMF"}));
}

// Runs the load of TRI.001 into the sample image under strace, killing the
// tool at the n-th call of `syscall`. Returns false once the run got
// through without reaching that call. (Leak checking cannot work under
// ptrace, so a sanitizer build runs without it here.)
bool killed_at(const fs::path& dir, const std::string& syscall, int n) {
  const std::string command = "cd '" + dir.string() + "' && ASAN_OPTIONS=detect_leaks=0 strace -f -o /dev/null -e inject=" + syscall +
                              ":signal=KILL:when=" + std::to_string(n) + " '" + testing::tool_path() +
                              "' TRI.001 ZEMF >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  constexpr int kKilledBySigkill = 128 + 9;  // as the shell reports it
  return WIFEXITED(status) && WEXITSTATUS(status) == kKilledBySigkill;
}

TEST(Faults, KilledWhileWritingTheImageLeavesOldOrNewNeverAMixture) {
  if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace is not installed";
  const Bytes old_image = testing::file_of(testing::sample_image());
  const fs::path raw = fs::path(PLOMB_EXAMPLES_DIR) / "TRI.001";
  Bytes new_image;
  {
    TempDir dir;
    testing::write_bytes(dir / "ZEMF", old_image);
    fs::copy_file(raw, dir / "TRI.001");
    run_tool(dir.path(), {"TRI.001", "ZEMF"});
    new_image = testing::read_bytes(dir / "ZEMF");
    ASSERT_NE(new_image, old_image);
  }
  int kills = 0;
  for (const char* syscall : {"openat", "newfstatat", "read", "write", "fchmod", "fchown", "fsync", "close", "rename"}) {
    bool got_through = false;
    for (int n = 1; n <= 500 && !got_through; ++n) {
      TempDir dir;
      testing::write_bytes(dir / "ZEMF", old_image);
      fs::copy_file(raw, dir / "TRI.001");
      const bool killed = killed_at(dir.path(), syscall, n);
      const Bytes image = testing::read_bytes(dir / "ZEMF");
      EXPECT_TRUE(image == old_image || image == new_image) << "killed at " << syscall << " #" << n;
      if (!killed) {
        EXPECT_EQ(image, new_image) << syscall << " #" << n;
        got_through = true;
      } else {
        ++kills;
      }
    }
    EXPECT_TRUE(got_through) << syscall;
  }
  EXPECT_GT(kills, 30);
}

TEST(Hostile, NamesThatAreNotRegularFilesAreRefusedWithoutWaiting) {
  TempDir dir;
  fs::create_directory(dir / "DIR");
  ASSERT_EQ(::mkfifo((dir / "FIFO").c_str(), 0666), 0);
  testing::write_bytes(dir / "P.RAW", raw_file_contents(Bytes{0xC0, 0x00, 0x0D}));
  for (const std::string name : {"DIR", "FIFO", "/dev/zero", "/dev/null"}) {
    const auto listed = run_tool(dir.path(), {"?", name});
    EXPECT_TRUE(listed.output.ends_with("LOAD " + name + " ...\r\nINVALID " + name + " FILE.\r\n")) << name;
  }
  testing::write_bytes(dir / "ZEMF", ImageBuilder().end().file());
  for (const std::string name : {"DIR", "FIFO", "/dev/zero"}) {
    const auto loaded = run_tool(dir.path(), {name + "/", "ZEMF"});  // as a raw file
    EXPECT_TRUE(has(loaded.output, "INVALID " + name + "/.RAW FILE.")) << loaded.output;
    const auto written = run_tool(dir.path(), {"P", "ZEMF", name});  // as the output
    EXPECT_TRUE(written.output.ends_with("INVALID " + name + " FILE.\r\n")) << name;
  }
  EXPECT_TRUE(fs::is_fifo(dir / "FIFO"));
  EXPECT_TRUE(fs::is_directory(dir / "DIR"));
}

TEST(Hostile, HugeFilesAreJudgedByTheirLengthAndNeverReadWhole) {
  TempDir dir;
  const Bytes image = ImageBuilder(0x040, 0x3EF, 0x1C0).label("BIG").end().file();
  const off_t gigabytes = off_t{6} << 30;
  // 13 + 7 * records: well formed, far more records than the array holds.
  write_sparse(dir / "BIG", image, 13 + 7 * (gigabytes / 7));
  write_sparse(dir / "ODD", image, gigabytes + 1);  // not a whole number of registers
  Bytes raw{0xC0, 0x00, 0xF2, 0x00, 'R', 0xC0, 0x00, 0x0D};
  write_sparse(dir / "HUGE.RAW", raw, gigabytes);

  const auto start = std::chrono::steady_clock::now();
  const auto big = run_tool(dir.path(), {"?", "BIG"});
  EXPECT_TRUE(has(big.output, "BOTTOM=040 TOP=3EF \r\n") && has(big.output, "LBL \"BIG\"")) << big.output;
  EXPECT_TRUE(run_tool(dir.path(), {"?", "ODD"}).output.ends_with("CALC=HPHP41-C\r\nINVALID ODD FILE.\r\n"));
  const auto loaded = run_tool(dir.path(), {"HUGE.RAW", "BIG", "OUT"});
  EXPECT_TRUE(has(loaded.output, "(CHECKSUM=00 FREE=") && has(loaded.output, " RAW=8) ... \r\n")) << loaded.output;
  EXPECT_TRUE(has(loaded.output, "LBL \"R\"\r\n  1BE.2 C80000 END")) << loaded.output;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(fs::file_size(dir / "OUT"), 13u + 7 * 960);
}

TEST(Hostile, LabelsWithEveryByteValueStayInTheirDirectory) {
  TempDir dir;
  fs::create_directory(dir / "work");
  ImageBuilder b(0x040, 0x3EF, 0x3EF);
  for (int first = 0; first < 256; first += 14) {
    std::string text;
    for (int c = first; c < std::min(first + 14, 256); ++c) text.push_back(static_cast<char>(c));
    b.label(text).end();
  }
  testing::write_bytes(dir / "work" / "ZEMF", b.file());
  const auto result = run_tool(dir / "work", {"-"});
  EXPECT_FALSE(has(result.output, "INVALID")) << result.output;
  // 19 labelled programs and the nulls above the .END. (PRGM.001), each in
  // a file of its own, all in the working directory beside the image.
  EXPECT_EQ(testing::file_names(dir / "work").size(), 21u);
  EXPECT_EQ(testing::file_names(dir.path()), std::vector<std::string>{"work"});
  for (const auto& entry : fs::directory_iterator(dir / "work")) EXPECT_TRUE(entry.is_regular_file());
}

TEST(Hostile, ChainsAndPointersBeyondTheArrayEndCleanly) {
  TempDir dir;
  // Every entry links as far up as a link can reach.
  MemoryImage far_links = ImageBuilder(0x040, 0x3EF, 0x1C0).end().image();
  for (int r = 0x040; r <= 0x3EF; ++r) {
    set_byte(far_links, address_of(r, 2), 0xCF);
    set_byte(far_links, address_of(r, 1), 0xFF);
    set_byte(far_links, address_of(r, 0), 0x0D);
  }
  set_end_register(far_links, 0x041);
  testing::write_bytes(dir / "FAR", testing::file_of(far_links));
  const auto far = run_tool(dir.path(), {"?", "FAR"});
  EXPECT_TRUE(far.output.ends_with("  241.2 CFFF0D END\r\n  441.2 000000 INVALID LBL/END\r\n\r\nINVALID FAR FILE.\r\n"))
      << far.output;

  // .END. and R00 at 0xFFF: the walk ends at once; a save cuts the range
  // at the last byte of the array.
  MemoryImage beyond = ImageBuilder(0x040, 0x3EF, 0x3F0).label("T").end().image();
  set_byte(beyond, address_of(0x0D, 1), 0xFF);
  set_byte(beyond, address_of(0x0D, 2), 0xFF);
  set_byte(beyond, address_of(0x0D, 0), 0xFF);
  testing::write_bytes(dir / "BEYOND", testing::file_of(beyond));
  const auto listed = run_tool(dir.path(), {"*", "BEYOND"});
  EXPECT_TRUE(has(listed.output, "R00=FFF") && has(listed.output, "  FFF.2 000000 INVALID LBL/END\r\n\r\nINVALID BEYOND FILE."))
      << listed.output;
  EXPECT_FALSE(fs::exists(dir / "PRGM.RAW"));  // nothing lies below the .END. within the array

  set_end_register(beyond, 0x3EE);  // a real .END. again, R00 still far above
  testing::write_bytes(dir / "CUT", testing::file_of(beyond));
  const auto saved = run_tool(dir.path(), {"*", "CUT"});
  EXPECT_TRUE(has(saved.output, "->PRGM.RAW \r\n")) << saved.output;
  // From byte 6 of register 0x3EF down to byte 0 of register 0x3EE: 14 bytes.
  const Bytes raw = testing::read_bytes(dir / "PRGM.RAW");
  ASSERT_EQ(raw.size(), 256u);
  EXPECT_EQ(raw[0], 0xC0);
}

}  // namespace
}  // namespace plomb
