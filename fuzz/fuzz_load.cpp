// A memory image and a raw program file, both from the fuzzer's bytes,
// through the whole load mode. The first two bytes give the raw file's
// length; the raw file follows, then the image.
//
// Properties:
// - the image read is never changed (the output goes to another file);
// - a refused import ("INVALID ... FILE.", "CHECKSUM.", "NOT ENOUGH SPACE.")
//   writes nothing;
// - an import that passes the space check writes an image whose read-back
//   lists as valid;
// - a program saved with "-" from a valid image and loaded back into the
//   same image lands below the old .END. with the same program bytes.
#include <string>

#include "image/run_state.h"
#include "fuzz_support.h"
#include "image/image_file.h"
#include "platform/console.h"

namespace {

using plomb::fuzz::Bytes;
using plomb::fuzz::require;

bool contains(const std::string& text, const char* piece) { return text.find(piece) != std::string::npos; }

// Loads `raw_name` into ZEMF, writing OUT; checks the properties that hold
// for every import and returns whether the import was carried out.
bool load_and_check(const std::string& raw_name, const Bytes& image) {
  const std::string output = plomb::fuzz::run_tool({raw_name, "ZEMF", "OUT"});
  plomb::fuzz::require_crlf_lines(output);
  Bytes after;
  require(plomb::fuzz::read_file("ZEMF", after) && after == image, "the image read is never changed", output);
  const bool placed = contains(output, "LOADING FROM") && !contains(output, "NOT ENOUGH SPACE.");
  Bytes written;
  const bool wrote = plomb::fuzz::read_file("OUT", written);
  require(placed == wrote, "only an import that passed every check writes", output);
  if (placed) require(!output.ends_with("INVALID OUT FILE.\r\n"), "the written image lists as valid", output);
  return placed;
}

plomb::MemoryImage read_quietly(const std::string& name) {
  plomb::RunState state;
  std::string ignored;
  plomb::Console out(ignored);
  plomb::read_image(state, out, name, false);
  return state.image;
}

// Saves the programs of ZEMF and loads the one nearest the .END. back into
// it; its bytes must stand below the old .END. as they stood in the file.
void check_round_trip(const Bytes& image) {
  plomb::fuzz::clear_except({"ZEMF"});
  plomb::fuzz::run_tool({"-", "ZEMF", "S"});
  std::string first;
  for (const std::string& name : plomb::fuzz::files_here()) {
    if (name.ends_with(".001")) first = name;
  }
  if (first.empty()) return;
  Bytes raw;
  plomb::fuzz::read_file(first, raw);
  plomb::fuzz::clear_except({"ZEMF", first});
  if (!load_and_check(first, image)) return;

  const plomb::MemoryImage before = read_quietly("ZEMF");
  const plomb::MemoryImage after = read_quietly("OUT");
  std::size_t n = raw.size();
  while (n > 1 && raw[n - 1] == 0) --n;
  if (n >= 4 && (raw[n - 4] & 0xF0) == 0xC0) --n;  // the checksum
  // Byte i of the program goes to end_address - 3 - i (counting from 0).
  // Zero links are filled in by the import and the closing entry rebuilt;
  // every other byte must arrive unchanged.
  const auto zero_link_at = [&raw, n](std::size_t i) { return i + 1 < n && raw[i] == 0xC0 && raw[i + 1] == 0x00; };
  for (std::size_t i = 0; i + 3 < n; ++i) {
    const auto a = before.end_address - 3 - static_cast<plomb::ByteAddress>(i);
    const bool rebuilt = zero_link_at(i) || (i > 0 && zero_link_at(i - 1));
    require(rebuilt || plomb::byte_at(after, a) == raw[i], "a saved program loads back byte for byte");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  plomb::fuzz::enter_scratch_directory();
  plomb::fuzz::clear_except({});
  const std::size_t raw_length = std::min<std::size_t>(data[0] + 256u * data[1], size - 2);
  const Bytes raw(data + 2, data + 2 + raw_length);
  const Bytes image(data + 2 + raw_length, data + size);
  plomb::fuzz::write_file("ZEMF", image);
  plomb::fuzz::write_file("P.RAW", raw);

  load_and_check("P.RAW", image);
  const std::string listing = plomb::fuzz::run_tool({"?", "ZEMF"});
  if (!contains(listing, "INVALID ZEMF FILE.")) check_round_trip(image);
  return 0;
}
