#include "program/listing.h"

#include <algorithm>
#include <optional>

#include "raw/raw_export.h"

namespace plomb {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Appends the characters of a label whose third byte has low nibble n: the
// n - 1 bytes from f - 4 downward.
void append_label_text(std::string& text, const MemoryImage& image, ByteAddress f, int n) {
  char chars[16];
  const int count = std::max(0, n - 1);
  for (int i = 0; i < count; ++i) chars[i] = static_cast<char>(byte_at(image, f - 4 - i));
  text.append(chars, static_cast<std::size_t>(count));
}

// Starts an entry's line in `line`: address and first three bytes. Built in
// a small buffer and handed over at once: the listing is most of a run's
// work, and a run is mostly the start of a process.
void start_entry_line(std::string& line, const MemoryImage& image, ByteAddress f) {
  char text[24] = {' ', ' '};
  std::size_t n = 2;
  auto reg = static_cast<unsigned>(f / kRegisterBytes);
  int digits = 3;
  while (digits < 8 && (reg >> (4 * digits)) != 0) ++digits;
  for (int d = digits - 1; d >= 0; --d) text[n++] = kHexDigits[(reg >> (4 * d)) & 0x0F];
  text[n++] = '.';
  text[n++] = static_cast<char>('0' + f % kRegisterBytes);
  text[n++] = ' ';
  for (int i = 0; i < 3; ++i) {
    const std::uint8_t b = byte_at(image, f - i);
    text[n++] = kHexDigits[b >> 4];
    text[n++] = kHexDigits[b & 0x0F];
  }
  text[n++] = ' ';
  line.assign(text, n);
}

void close_range_at(SaveCursor& cursor, ByteAddress f, const RunState& state, Console& out, bool save_flag) {
  if (state.settings.mode != Mode::save) return;
  cursor.hi = f - 3;
  save_raw_file(cursor, state, out, save_flag);
}

// A global label, END or .END. that the walk can go on from.
bool is_sound(const ChainStep& step) { return step.is_entry && step.kind != EntryKind::invalid; }

}  // namespace

ChainStep chain_step_at(const MemoryImage& image, ByteAddress f) {
  return {.address = f, .kind = entry_kind(byte_at(image, f - 2)), .is_entry = links_to_entry(byte_at(image, f))};
}

std::optional<ChainStep> next_chain_step(const MemoryImage& image, const ChainStep& step) {
  if (!is_sound(step)) return std::nullopt;
  const int link = decode_link(byte_at(image, step.address), byte_at(image, step.address - 1));
  if (link == 0) return std::nullopt;
  return chain_step_at(image, step.address + link);
}

ChainWalk walk_chain(const MemoryImage& image) {
  ChainWalk walk;
  std::optional<ChainStep> step = chain_step_at(image, image.end_address);
  while (step) {
    walk.steps.push_back(*step);
    walk.valid = is_sound(*step);
    step = next_chain_step(image, *step);
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
  bool valid = true;

  std::string line;
  for (std::optional<ChainStep> step = chain_step_at(image, image.end_address); step;
       step = next_chain_step(image, *step)) {
    const ByteAddress f = step->address;
    const std::uint8_t third = byte_at(image, f - 2);
    start_entry_line(line, image, f);
    valid = is_sound(*step);
    if (!step->is_entry) {
      out.line(line.append("INVALID LBL/END"));
    } else if (step->kind == EntryKind::label) {
      line.append("LBL \"");
      const std::size_t text_start = line.size();
      append_label_text(line, image, f, third & 0x0F);
      if (save_flag) cursor.label_name.assign(line, text_start);
      line.push_back('"');
      if (byte_at(image, f - 3) != 0) line.append(" (ASN)");
      out.line(line);
    } else if (step->kind == EntryKind::end) {
      close_range_at(cursor, f, state, out, save_flag);
      out.line(line.append("END"));
    } else if (step->kind == EntryKind::dot_end) {
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
  return valid;
}

}  // namespace plomb
