#include "focal/program_source.h"

#include <algorithm>
#include <memory>

#include "image/image_file.h"
#include "program/address.h"
#include "program/listing.h"
#include "raw/raw_import.h"

namespace plomb {

namespace {

// All of main memory, its checksum and the zero fill to a whole block.
constexpr std::size_t kMaxRawFileBytes = 2304;

bool line_closes_program(std::span<const std::uint8_t> bytes, const ListedLine& line) {
  return closes_program(bytes.subspan(line.offset, line.length));
}

void collect_labels(SourceProgram& program) {
  for (const ListedLine& line : program.listing.lines) {
    if (!line.global_label) continue;
    const std::size_t n = program.bytes[line.offset + 2] & 0x0F;
    if (n < 2) {
      program.labels.emplace_back();
      continue;
    }
    const auto first = program.bytes.begin() + static_cast<std::ptrdiff_t>(line.offset + 4);
    program.labels.emplace_back(first, first + static_cast<std::ptrdiff_t>(n - 1));
  }
}

void add_program(ProgramSource& source, SourceProgram program, const XromNames& xrom, bool ascii) {
  program.listing = list_program(program.bytes, xrom, ascii);
  collect_labels(program);
  source.programs.push_back(std::move(program));
}

void add_raw_program(ProgramSource& source, std::span<const std::uint8_t> bytes, std::size_t offset,
                     const XromNames& xrom, bool ascii) {
  SourceProgram program;
  program.bytes.assign(bytes.begin(), bytes.end());
  program.first_offset = offset;
  add_program(source, std::move(program), xrom, ascii);
}

ProgramSource image_programs(const MemoryImage& image, const XromNames& xrom, bool ascii) {
  ProgramSource source;
  source.is_image = true;
  const ChainWalk walk = walk_chain(image);
  for (const ProgramRange& range : program_ranges(image, walk)) {
    SourceProgram program;
    program.first_address = range.first;
    for (ByteAddress a = range.first; a >= range.last; --a) program.bytes.push_back(byte_at(image, a));
    add_program(source, std::move(program), xrom, ascii);
    const SourceProgram& listed = source.programs.back();
    const ProgramListing& listing = listed.listing;
    if (listing.whole_bytes < listed.bytes.size()) {
      source.error = "the instruction at " + address_text(range.first - static_cast<ByteAddress>(listing.whole_bytes)) +
                     " runs past its program's END";
      return source;
    }
    // The chain says where the program ends; its instructions must end there
    // too, not run over its END as the text of another instruction.
    if (listing.lines.empty() || !line_closes_program(listed.bytes, listing.lines.back()) ||
        listing.lines.back().offset + 3 != listed.bytes.size()) {
      source.error = "the instructions from " + address_text(range.first) + " do not end at the END at " +
                     address_text(range.last + 2);
      return source;
    }
  }
  if (!walk.valid) {
    source.error = "the chain of global labels and ENDs is broken at " + address_text(walk.steps.back().address);
  }
  return source;
}

ProgramSource raw_programs(std::span<const std::uint8_t> bytes, std::uint64_t length, const XromNames& xrom,
                           bool ascii) {
  ProgramSource source;
  if (length > kMaxRawFileBytes) {
    source.error = "neither a memory image nor a raw program file (over " + std::to_string(kMaxRawFileBytes) + " bytes)";
    return source;
  }
  const RawContents contents = recognise_raw(bytes);
  if (!contents.checksum_ok) {
    source.error = "the checksum does not match the program bytes";
    return source;
  }
  const auto program = bytes.first(static_cast<std::size_t>(contents.n));
  if (program.empty() || (program.size() == 1 && program[0] == 0x00)) {
    source.error = "the file holds no program: it is empty or all zero bytes";
    return source;
  }
  const ProgramListing whole = list_program(program, xrom, ascii);
  // Split after each END; what follows the last END is left out unless the
  // file ends in the middle of an instruction, when it is listed as far as
  // it goes.
  const bool cut_short = whole.whole_bytes < program.size();
  std::size_t start = 0;
  for (const ListedLine& line : whole.lines) {
    if (!line_closes_program(program, line)) continue;
    const std::size_t end = line.offset + line.length;
    add_raw_program(source, program.subspan(start, end - start), start, xrom, ascii);
    start = end;
  }
  if (start < whole.whole_bytes && (cut_short || start == 0)) {
    add_raw_program(source, program.subspan(start, whole.whole_bytes - start), start, xrom, ascii);
  }
  if (cut_short) {
    source.error = "the file ends inside the instruction at byte offset " + std::to_string(whole.whole_bytes);
  } else if (start == 0) {
    source.error = "the program has no END: the file may be cut short";
  }
  return source;
}

}  // namespace

ProgramSource read_program_source(std::span<const std::uint8_t> bytes, std::uint64_t length, const XromNames& xrom,
                                  bool ascii) {
  // The image is a few kilobytes; keep it off the stack.
  auto image = std::make_unique<MemoryImage>();
  if (parse_image(bytes.first(std::min(bytes.size(), kMaxImageFileBytes)), length, *image)) {
    return image_programs(*image, xrom, ascii);
  }
  return raw_programs(bytes.first(std::min<std::size_t>(bytes.size(), kMaxRawFileBytes)), length, xrom, ascii);
}

std::string where_text(const SourceProgram& program, std::size_t offset) {
  if (program.first_address >= 0) return address_text(program.first_address - static_cast<int>(offset));
  std::string text = std::to_string(program.first_offset + offset);
  if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
  return text;
}

}  // namespace plomb
