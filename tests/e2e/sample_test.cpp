// The bundled sample: it is what the generator makes, and the tool's output
// on it and the raw files it writes are exactly the committed ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/sample_image.h"
#include "support/test_files.h"

namespace plomb {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

const fs::path kExamples = PLOMB_EXAMPLES_DIR;
const fs::path kExpected = fs::path(PLOMB_EXAMPLES_DIR) / "../tests/e2e/expected";

std::string text_of(const fs::path& file) {
  const Bytes bytes = testing::read_bytes(file);
  return std::string(bytes.begin(), bytes.end());
}

TEST(Sample, ImageAndFixturesAreWhatTheGeneratorMakes) {
  EXPECT_EQ(testing::read_bytes(kExamples / "ZEMF"), testing::file_of(testing::sample_image()));
  const fs::path fixtures = fs::path(PLOMB_EXAMPLES_DIR) / "../tests/e2e/fixtures";
  for (const auto& [name, bytes] : testing::case_fixtures()) EXPECT_EQ(testing::read_bytes(fixtures / name), bytes) << name;
}

TEST(Sample, ModesPrintTheExpectedOutput) {
  const std::pair<std::string, std::string> runs[] = {
      {"?", "sample_list.txt"}, {"-", "sample_save.txt"}, {"*", "sample_save_all.txt"}};
  for (const auto& [mode, expected] : runs) {
    testing::TempDir dir;
    fs::copy_file(kExamples / "ZEMF", dir / "ZEMF");
    const auto result = testing::run_tool(dir.path(), {mode});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.output, text_of(kExpected / expected)) << mode;
  }
}

TEST(Sample, SaveWritesTheBundledRawFiles) {
  testing::TempDir dir;
  fs::copy_file(kExamples / "ZEMF", dir / "ZEMF");
  testing::run_tool(dir.path(), {"-"});
  const std::vector<std::string> names = testing::file_names(dir.path());
  EXPECT_EQ(names, testing::file_names(kExamples));
  for (const std::string& name : names) {
    EXPECT_EQ(testing::read_bytes(dir / name), testing::read_bytes(kExamples / name)) << name;
  }
}

}  // namespace
}  // namespace plomb
