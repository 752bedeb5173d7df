#include "program/listing.h"

#include <algorithm>

#include "program/address.h"
#include "raw/raw_export.h"

namespace plomb {

namespace {

// The characters of a label whose third byte has low nibble n: the n - 1
// bytes from f - 4 downward.
void append_label_text(std::string& text, const MemoryImage& image, ByteAddress f, int n) {
  for (int i = 0; i < n - 1; ++i) text.push_back(static_cast<char>(byte_at(image, f - 4 - i)));
}

// Starts an entry's line in `line`: address and first three bytes.
void start_entry_line(std::string& line, const MemoryImage& image, ByteAddress f) {
  line.assign("  ");
  append_address(line, f);
  line.push_back(' ');
  for (int i = 0; i < 3; ++i) append_hex2(line, byte_at(image, f - i));
  line.push_back(' ');
}

void close_range_at(SaveCursor& cursor, ByteAddress f, const RunState& state, Console& out, bool save_flag) {
  if (state.settings.mode != Mode::save) return;
  cursor.hi = f - 3;
  save_raw_file(cursor, state, out, save_flag);
}

}  // namespace

ChainWalk walk_chain(const MemoryImage& image) {
  ChainWalk walk;
  ByteAddress f = image.end_address;
  while (true) {
    ChainStep step{.address = f, .kind = entry_kind(byte_at(image, f - 2)), .is_entry = links_to_entry(byte_at(image, f))};
    walk.steps.push_back(step);
    if (!step.is_entry || step.kind == EntryKind::invalid) {
      walk.valid = false;
      break;
    }
    const int link = decode_link(byte_at(image, f), byte_at(image, f - 1));
    if (link == 0) break;
    f += link;
  }
  return walk;
}

std::vector<ProgramRange> program_ranges(const MemoryImage& image, const ChainWalk& walk) {
  std::vector<ProgramRange> ranges;
  ByteAddress last = image.end_address - 2;
  for (const ChainStep& step : walk.steps) {
    if (!step.is_entry || step.kind == EntryKind::invalid) return ranges;
    if (step.kind == EntryKind::end || step.kind == EntryKind::dot_end) {
      if (step.address != image.end_address) ranges.push_back({step.address - 3, last});
      last = step.address - 2;
    }
  }
  const ByteAddress top = std::min(image.r00 * kRegisterBytes - 1, kLastAddress);
  if (top >= last) ranges.push_back({top, last});
  return ranges;
}

bool list_programs(RunState& state, Console& out, bool save_flag) {
  const MemoryImage& image = state.image;
  out.line("PROGRAMS:");
  state.end_tag = 0;
  SaveCursor cursor{.lo = image.end_address - 2, .hi = -1, .label_name = {}, .counter = 1};
  const ChainWalk walk = walk_chain(image);

  std::string line;
  for (const ChainStep& step : walk.steps) {
    const ByteAddress f = step.address;
    const std::uint8_t third = byte_at(image, f - 2);
    start_entry_line(line, image, f);
    if (!step.is_entry) {
      out.line(line.append("INVALID LBL/END"));
    } else if (step.kind == EntryKind::label) {
      line.append("LBL \"");
      const std::size_t text_start = line.size();
      append_label_text(line, image, f, third & 0x0F);
      cursor.label_name.assign(line, text_start);
      line.push_back('"');
      if (byte_at(image, f - 3) != 0) line.append(" (ASN)");
      out.line(line);
    } else if (step.kind == EntryKind::end) {
      close_range_at(cursor, f, state, out, save_flag);
      out.line(line.append("END"));
    } else if (step.kind == EntryKind::dot_end) {
      close_range_at(cursor, f, state, out, save_flag);
      out.line(line.append(marks_packed(third) ? ".END. PACKED" : ".END."));
      state.end_tag = third;
    } else {
      out.line(line.append("INVALID END"));
    }
  }

  // The topmost program, or all of program memory, ends at the byte below
  // R00. A range reaching past the array is cut at its last byte.
  cursor.hi = std::min(image.r00 * kRegisterBytes - 1, kLastAddress);
  if (state.settings.mode == Mode::save_all) cursor.lo = image.end_address - 2;
  save_raw_file(cursor, state, out, save_flag);
  out.line();
  return walk.valid;
}

}  // namespace plomb
