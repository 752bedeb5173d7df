// Any bytes as a file to list: a memory image or a raw program file.
// Properties: every program read is listed whole unless the source's error
// says why not, and then it is the last one; the listing of each program, in
// both spellings and with the --bytes column, compiles back to the
// program's bytes, chain links zero (plus the closing END a listing adds
// only when the error says the program has none).
#include <string>

#include "focal/listing_compiler.h"
#include "focal/program_source.h"
#include "focal_checks.h"
#include "fuzz_support.h"

namespace {

using plomb::fuzz::require;

void check_program(const plomb::ProgramSource& source, std::size_t index, bool ascii, const plomb::XromNames& xrom) {
  const plomb::SourceProgram& program = source.programs[index];
  const bool last = index + 1 == source.programs.size();
  if (program.listing.whole_bytes < program.bytes.size()) {
    require(last && !source.error.empty(), "only the last program, with an error, lists short", source.error);
    return;
  }
  std::vector<std::uint8_t> expected;
  require(plomb::fuzz::unlinked_instructions(program.bytes, expected), "a program listed whole is whole instructions");
  if (!plomb::fuzz::ends_with_closing_entry(program.bytes)) {
    require(last && !source.error.empty(), "a program without its END is the last, with an error", source.error);
    expected.insert(expected.end(), {0xC0, 0x00, 0x0D});
  }
  std::string text;
  plomb::append_listing(text, program.listing, program.bytes,
                        {.ascii = ascii,
                         .where = [&program](std::size_t offset) { return plomb::where_text(program, offset); },
                         .line_end = "\r\n"});
  const plomb::CompileResult compiled = plomb::compile_listing(text, xrom);
  if (expected.size() > plomb::kMaxProgramBytes) {
    require(!compiled.ok, "a program over the calculator's memory is refused", text);
    return;
  }
  require(compiled.ok && compiled.program == expected, "a listed program compiles to its bytes",
          text + "--- compiler ---\n" + compiled.error + " at line " + std::to_string(compiled.error_line));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const plomb::XromNames xrom;
  const std::span<const std::uint8_t> bytes(data, size);
  for (const bool ascii : {false, true}) {
    const plomb::ProgramSource source = plomb::read_program_source(bytes, size, xrom, ascii);
    for (std::size_t i = 0; i < source.programs.size(); ++i) check_program(source, i, ascii, xrom);
  }
  return 0;
}
