// Any text through the FOCAL compiler. Properties: the compiler either
// refuses the text, with a message and a line number within the text (or 0
// for the whole listing), or gives a program of at most the calculator's
// memory, made of whole instructions with zero chain links and closed by an
// END or .END.; and such a program lists, in both spellings, as text that
// compiles to the same bytes.
#include <algorithm>
#include <string>
#include <string_view>

#include "focal/listing_compiler.h"
#include "focal_checks.h"
#include "fuzz_support.h"

namespace {

using plomb::fuzz::require;

// The lines the compiler reads: one per line end, and one for text after
// the last line end.
int line_count(std::string_view text) {
  const auto ends = std::count(text.begin(), text.end(), '\n');
  return static_cast<int>(ends) + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const plomb::XromNames xrom;
  const plomb::CompileResult compiled = plomb::compile_listing(text, xrom);
  const std::string shown(text);
  if (!compiled.ok) {
    require(!compiled.error.empty(), "a refused listing has a message", shown);
    require(compiled.error_line >= 0 && compiled.error_line <= line_count(text),
            "a refused listing names one of its lines, or none", shown + "\n--- error ---\n" + compiled.error);
    return 0;
  }
  const std::vector<std::uint8_t>& program = compiled.program;
  require(compiled.error.empty() && compiled.error_line == 0, "a compiled listing has no error", shown);
  require(!program.empty() && program.size() <= plomb::kMaxProgramBytes, "a program fits the calculator's memory",
          shown);
  std::vector<std::uint8_t> unlinked;
  require(plomb::fuzz::unlinked_instructions(program, unlinked), "a program is made of whole instructions", shown);
  require(unlinked == program, "a compiled program's chain links are zero", shown);
  require(plomb::fuzz::ends_with_closing_entry(program), "a program ends with an END or .END.", shown);
  plomb::fuzz::require_listing_round_trip(program, xrom);
  return 0;
}
