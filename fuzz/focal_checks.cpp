#include "focal_checks.h"

#include <string>

#include "focal/instruction_set.h"
#include "focal/listing_compiler.h"
#include "focal/program_listing.h"
#include "fuzz_support.h"

namespace plomb::fuzz {

namespace {

// The length of the instruction at `i`, which may run past the end.
std::size_t length_at(std::span<const std::uint8_t> program, std::size_t i) {
  const auto at = [program](std::size_t k) -> std::uint8_t { return k < program.size() ? program[k] : 0; };
  return static_cast<std::size_t>(instruction_length(program[i], at(i + 1), at(i + 2)));
}

void require_compiles_to(const std::string& text, std::span<const std::uint8_t> program, const XromNames& xrom,
                         const char* property) {
  const CompileResult compiled = compile_listing(text, xrom);
  const bool same = compiled.ok && std::equal(compiled.program.begin(), compiled.program.end(), program.begin(),
                                              program.end());
  require(same, property, text + "--- compiler ---\n" + compiled.error + " at line " +
                              std::to_string(compiled.error_line));
}

}  // namespace

bool unlinked_instructions(std::span<const std::uint8_t> program, std::vector<std::uint8_t>& unlinked) {
  unlinked.clear();
  for (std::size_t i = 0; i < program.size();) {
    const std::size_t length = length_at(program, i);
    if (i + length > program.size()) return false;
    const std::vector<std::uint8_t> instruction = without_link(program.subspan(i, length));
    unlinked.insert(unlinked.end(), instruction.begin(), instruction.end());
    i += length;
  }
  return true;
}

bool ends_with_closing_entry(std::span<const std::uint8_t> program) {
  std::span<const std::uint8_t> last;
  for (std::size_t i = 0; i < program.size();) {
    const std::size_t length = length_at(program, i);
    if (i + length > program.size()) return false;
    last = program.subspan(i, length);
    i += length;
  }
  return plomb::closes_program(last);
}

void require_listing_round_trip(std::span<const std::uint8_t> program, const XromNames& xrom) {
  for (const bool ascii : {false, true}) {
    const ProgramListing listing = list_program(program, xrom, ascii);
    require(listing.whole_bytes == program.size(), "a program of whole instructions lists whole");
    std::string text;
    append_listing(text, listing, program, {.ascii = ascii, .where = {}, .line_end = "\n"});
    require_compiles_to(text, program, xrom, "a listing compiles to the listed bytes");
    std::string with_bytes;
    append_listing(with_bytes, listing, program,
                   {.ascii = ascii,
                    .where = [](std::size_t offset) { return std::to_string(offset); },
                    .line_end = "\r\n"});
    require_compiles_to(with_bytes, program, xrom, "a listing with its bytes column compiles to the listed bytes");
  }
}

}  // namespace plomb::fuzz
