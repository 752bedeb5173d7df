#include "program/listing.h"

#include <algorithm>

#include "program/address.h"
#include "program/chain_entry.h"
#include "raw/raw_export.h"

namespace plomb {

namespace {

// The characters of a label whose third byte has low nibble n: the n - 1
// bytes from f - 4 downward.
std::string label_text(const MemoryImage& image, ByteAddress f, int n) {
  std::string text;
  for (int i = 0; i < n - 1; ++i) text.push_back(static_cast<char>(byte_at(image, f - 4 - i)));
  return text;
}

std::string entry_line(const MemoryImage& image, ByteAddress f, std::string_view tail) {
  return "  " + address_text(f) + " " + hex2(byte_at(image, f)) + hex2(byte_at(image, f - 1)) +
         hex2(byte_at(image, f - 2)) + " " + std::string(tail);
}

void close_range_at(SaveCursor& cursor, ByteAddress f, const RunState& state, Console& out, bool save_flag) {
  if (state.settings.mode != Mode::save) return;
  cursor.hi = f - 3;
  save_raw_file(cursor, state, out, save_flag);
}

}  // namespace

bool list_programs(RunState& state, Console& out, bool save_flag) {
  const MemoryImage& image = state.image;
  out.line("PROGRAMS:");
  ByteAddress f = image.end_address;
  state.end_tag = 0;
  SaveCursor cursor{.lo = image.end_address - 2, .hi = -1, .label_name = {}, .counter = 1};
  bool valid = true;

  while (true) {
    const std::uint8_t third = byte_at(image, f - 2);
    if (!links_to_entry(byte_at(image, f))) {
      out.line(entry_line(image, f, "INVALID LBL/END"));
      valid = false;
      break;
    }
    const EntryKind kind = entry_kind(third);
    if (kind == EntryKind::label) {
      const std::string text = label_text(image, f, third & 0x0F);
      const bool assigned = byte_at(image, f - 3) != 0;
      out.line(entry_line(image, f, "LBL \"" + text + "\"" + (assigned ? " (ASN)" : "")));
      cursor.label_name = text;
    } else if (kind == EntryKind::end) {
      close_range_at(cursor, f, state, out, save_flag);
      out.line(entry_line(image, f, "END"));
    } else if (kind == EntryKind::dot_end) {
      close_range_at(cursor, f, state, out, save_flag);
      out.line(entry_line(image, f, (third & 0x0F) == 9 ? ".END. PACKED" : ".END."));
      state.end_tag = third;
    } else {
      out.line(entry_line(image, f, "INVALID END"));
      valid = false;
      break;
    }
    const int link = decode_link(byte_at(image, f), byte_at(image, f - 1));
    if (link == 0) break;
    f += link;
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
