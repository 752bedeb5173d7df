// Real programs: the published listings beside the project compile to
// exactly the raw files an established compiler made from them, and every
// raw file there, and every program of the sample image, lists as text that
// compiles back to its bytes (chain links aside).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "focal/instruction_set.h"
#include "focal/listing_compiler.h"
#include "focal/program_listing.h"
#include "focal/program_source.h"
#include "raw/raw_import.h"
#include "support/test_files.h"

namespace plomb {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kCorpus = PLOMB_CORPUS_DIR;

// The program part of a raw file: zero fill and checksum dropped.
Bytes program_of(const Bytes& raw) {
  const RawContents contents = recognise_raw(raw);
  return Bytes(raw.begin(), raw.begin() + contents.n);
}

// The same bytes with every chain link zero.
Bytes links_zero(const Bytes& program) {
  Bytes out;
  std::size_t i = 0;
  const auto at = [&](std::size_t k) -> std::uint8_t { return k < program.size() ? program[k] : 0; };
  while (i < program.size()) {
    const auto length = std::min(program.size() - i, static_cast<std::size_t>(instruction_length(program[i], at(i + 1), at(i + 2))));
    const Bytes instruction = without_link(std::span<const std::uint8_t>(program).subspan(i, length));
    out.insert(out.end(), instruction.begin(), instruction.end());
    i += length;
  }
  return out;
}

std::vector<fs::path> corpus_files(const std::vector<std::string>& extensions) {
  std::vector<fs::path> files;
  if (!fs::exists(kCorpus)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus)) {
    for (const std::string& extension : extensions) {
      if (entry.path().extension() == extension && entry.path().stem() != "pol5") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string text_of(const fs::path& file) {
  const Bytes bytes = testing::read_bytes(file);
  return std::string(bytes.begin(), bytes.end());
}

// Lists every program of a file and compiles each listing; returns the
// compiled programs one after another.
Bytes list_and_compile(const Bytes& file, bool ascii, std::string& error) {
  const XromNames xrom;
  const ProgramSource source = read_program_source(file, file.size(), xrom, ascii);
  error = source.error;
  Bytes compiled;
  for (const SourceProgram& program : source.programs) {
    std::string text;
    append_listing(text, program.listing, program.bytes, {.ascii = ascii, .where = {}, .line_end = "\n"});
    const CompileResult result = compile_listing(text, xrom);
    if (!result.ok) {
      error = result.error + " at line " + std::to_string(result.error_line) + " of\n" + text;
      return {};
    }
    compiled.insert(compiled.end(), result.program.begin(), result.program.end());
  }
  return compiled;
}

TEST(Corpus, EveryPublishedListingCompilesToItsRawFile) {
  const auto listings = corpus_files({".txt", ".prg"});
  if (listings.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  const XromNames xrom;
  for (const fs::path& listing : listings) {
    fs::path raw = listing;
    raw.replace_extension(".raw");
    const CompileResult result = compile_listing(text_of(listing), xrom);
    ASSERT_TRUE(result.ok) << listing << ":" << result.error_line << ": " << result.error;
    EXPECT_EQ(result.program, program_of(testing::read_bytes(raw))) << listing;
  }
}

TEST(Corpus, EveryRawFileListsAndCompilesBack) {
  const auto raws = corpus_files({".raw"});
  if (raws.empty()) GTEST_SKIP() << "no corpus at " << kCorpus;
  for (const fs::path& raw : raws) {
    for (const bool ascii : {false, true}) {
      std::string error;
      EXPECT_EQ(list_and_compile(testing::read_bytes(raw), ascii, error), program_of(testing::read_bytes(raw)))
          << raw << " " << error;
      EXPECT_EQ(error, "") << raw;
    }
  }
}

TEST(Corpus, TheListingWithAMistakeAndTheCutRawFileAreRefused) {
  if (!fs::exists(kCorpus / "cvonk_hp41-focal" / "pol5.txt")) GTEST_SKIP() << "no corpus at " << kCorpus;
  const XromNames xrom;
  const CompileResult result = compile_listing(text_of(kCorpus / "cvonk_hp41-focal" / "pol5.txt"), xrom);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "unknown instruction \"LAST\"");
  std::string error;
  const Bytes cut = testing::read_bytes(kCorpus / "cvonk_hp41-focal" / "pol5.raw");
  list_and_compile(cut, false, error);
  EXPECT_EQ(error, "the program has no END: the file may be cut short");
}

TEST(SampleImage, EveryProgramListsAndCompilesToTheBytesTheSaveWrote) {
  const fs::path examples = PLOMB_EXAMPLES_DIR;
  const Bytes image = testing::read_bytes(examples / "ZEMF");
  const XromNames xrom;
  const ProgramSource source = read_program_source(image, image.size(), xrom, false);
  ASSERT_TRUE(source.is_image);
  EXPECT_EQ(source.error, "");
  const char* saved[] = {"TRI.001", "CNT.002", "HYP.003", "AREA.004"};
  ASSERT_EQ(source.programs.size(), std::size(saved));
  for (std::size_t i = 0; i < std::size(saved); ++i) {
    const SourceProgram& program = source.programs[i];
    std::string text;
    append_listing(text, program.listing, program.bytes, {.ascii = false, .where = {}, .line_end = "\n"});
    const CompileResult result = compile_listing(text, xrom);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.program, links_zero(program_of(testing::read_bytes(examples / saved[i])))) << saved[i] << "\n" << text;
  }
}

}  // namespace
}  // namespace plomb
