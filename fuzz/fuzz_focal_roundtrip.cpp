// Any bytes, made into a program of whole instructions closed by an END,
// listed as FOCAL text and compiled again. Property: the compiled program is
// the program, chain links aside; in both spellings (UTF-8 and ASCII).
#include <string>

#include "focal/instruction_set.h"
#include "focal/listing_compiler.h"
#include "focal/program_listing.h"
#include "fuzz_support.h"

namespace {

using plomb::fuzz::Bytes;
using plomb::fuzz::require;

// The input's whole instructions, its chain links zero, closed by an END
// unless its last instruction is one.
Bytes whole_program(const std::uint8_t* data, std::size_t size) {
  Bytes program;
  std::size_t i = 0;
  bool closed = false;
  const auto at = [&](std::size_t k) -> std::uint8_t { return k < size ? data[k] : 0; };
  while (i < size) {
    const auto length = static_cast<std::size_t>(plomb::instruction_length(data[i], at(i + 1), at(i + 2)));
    if (i + length > size) break;
    const auto instruction = plomb::without_link(std::span<const std::uint8_t>(data + i, length));
    program.insert(program.end(), instruction.begin(), instruction.end());
    closed = plomb::closes_program(instruction);
    i += length;
  }
  if (!closed) program.insert(program.end(), {0xC0, 0x00, 0x0D});
  return program;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > plomb::kMaxProgramBytes - 3) return 0;
  const Bytes program = whole_program(data, size);
  const plomb::XromNames xrom;
  for (const bool ascii : {false, true}) {
    const plomb::ProgramListing listing = plomb::list_program(program, xrom, ascii);
    require(listing.whole_bytes == program.size(), "a program of whole instructions lists whole");
    std::string text;
    plomb::append_listing(text, listing, program, {.ascii = ascii, .where = {}, .line_end = "\n"});
    const plomb::CompileResult compiled = plomb::compile_listing(text, xrom);
    require(compiled.ok, "a listing compiles", text + "\n" + compiled.error + " at line " + std::to_string(compiled.error_line));
    require(compiled.program == program, "a listing compiles to the listed bytes", text);
    // The --bytes column is read too.
    std::string with_bytes;
    plomb::append_listing(with_bytes, listing, program,
                          {.ascii = ascii, .where = [](std::size_t offset) { return std::to_string(offset); }, .line_end = "\r\n"});
    const plomb::CompileResult again = plomb::compile_listing(with_bytes, xrom);
    require(again.ok && again.program == program, "a listing with its bytes column compiles to the listed bytes", with_bytes + again.error + " line " + std::to_string(again.error_line));
  }
  return 0;
}
