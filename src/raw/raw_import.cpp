#include "raw/raw_import.h"

#include <string>

#include "image/image_file.h"
#include "image/status_fields.h"
#include "image/summary.h"
#include "platform/files.h"
#include "program/address.h"
#include "program/chain_entry.h"
#include "program/relink.h"

namespace plomb {

namespace {

constexpr int kLineNumberAfterImport = 0xFFF;

// Reads at most kRawImageBytes and takes the program bytes and checksum.
bool read_raw_image(const std::string& name, RawImage& raw, RawContents& contents) {
  auto file = InputFile::open_for_update(name);
  if (!file) return false;
  const std::size_t got = file->read_up_to(raw.bytes);
  contents = recognise_raw(std::span<const std::uint8_t>(raw.bytes.data(), got));
  raw.n = contents.n;
  return true;
}

bool link_is_sound(const RawImage& raw, int i, int entry_above) {
  const int link = decode_link(raw.byte(i), raw.byte(i + 1));
  const int expected = entry_above == 0 ? i + 2 : i - entry_above;
  return link == 0 || link == expected;
}

void place_program(RunState& state, const RawImage& raw) {
  MemoryImage& image = state.image;
  const ByteAddress old_end = image.end_address;
  const int end_register = old_end / kRegisterBytes;
  const int m = (raw.n + 6) / 7;
  const ByteAddress a = old_end - kRegisterBytes * m;

  set_byte(image, old_end - 2, 0x00);  // the old .END. becomes an END
  set_program_pointer(image, old_end - 3);
  for (int i = 1; i <= raw.n; ++i) set_byte(image, old_end - 2 - i, raw.byte(i));
  // Nulls replace the raw file's closing END down to the new .END.'s place.
  for (ByteAddress p = old_end - raw.n; p > a; --p) set_byte(image, p, 0x00);
  set_byte(image, a, 0xC0);
  set_byte(image, a - 1, 0x00);
  if (entry_kind(byte_at(image, a - 2)) != EntryKind::dot_end) set_byte(image, a - 2, state.end_tag);

  relink_chain(image, old_end, a);
  set_end_register(image, end_register - m);
  set_line_number(image, kLineNumberAfterImport);
}

}  // namespace

RawContents recognise_raw(std::span<const std::uint8_t> bytes) {
  RawContents contents;
  const auto byte = [&bytes](int i) { return i >= 1 && static_cast<std::size_t>(i) <= bytes.size() ? bytes[static_cast<std::size_t>(i - 1)] : std::uint8_t{0}; };
  int n = static_cast<int>(bytes.size());
  while (n > 1 && byte(n) == 0) --n;
  // A raw file written from memory ends its program with an END (first byte
  // 0xC_) followed by the checksum.
  if (n >= 4 && (byte(n - 3) & 0xF0) == 0xC0) {
    contents.checksum = byte(n);
    --n;
    std::uint8_t sum = 0;
    for (int i = 1; i <= n; ++i) sum = static_cast<std::uint8_t>(sum + byte(i));
    contents.checksum_ok = sum == contents.checksum;
  }
  contents.n = n;
  return contents;
}

bool is_loadable(const RawImage& raw) {
  if (raw.n < 3) return false;
  int entry_above = 0;  // 0: the old .END., above byte 1
  int i = 1;
  while (i < raw.n - 2) {
    const int length = instruction_length(raw.byte(i), raw.byte(i + 1), raw.byte(i + 2));
    if (i + length - 1 > raw.n) return false;
    if (starts_chain_entry(raw.byte(i))) {
      if (entry_kind(raw.byte(i + 2)) == EntryKind::invalid) return false;
      if (!link_is_sound(raw, i, entry_above)) return false;
      entry_above = i;
    }
    i += length;
  }
  if (i != raw.n - 2 || !starts_chain_entry(raw.byte(i))) return false;
  const EntryKind closing = entry_kind(raw.byte(i + 2));
  return closing == EntryKind::end || closing == EntryKind::dot_end;
}

void import_raw_program(RunState& state, Console& out) {
  const RunSettings& settings = state.settings;
  RawImage raw;
  RawContents contents;
  if (!read_raw_image(settings.raw_name, raw, contents)) {
    out.line("INVALID " + settings.raw_name + " FILE.");
    return;
  }
  const std::uint8_t k = contents.checksum;
  if (!contents.checksum_ok) {
    out.line("INVALID " + settings.raw_name + " CHECKSUM.");
    return;
  }
  if (!is_loadable(raw)) {
    out.line("INVALID " + settings.raw_name + " FILE.");
    return;
  }
  const int free = free_space(state.image);
  out.open_text("LOADING FROM " + settings.image_name + " TO " + settings.output_name +
                " (CHECKSUM=" + hex2(k) + " FREE=" + std::to_string(free) + " RAW=" +
                std::to_string(raw.n) + ") ... ");
  if (raw.n > free) {
    out.line("NOT ENOUGH SPACE.");
    return;
  }
  out.line();
  out.line();
  place_program(state, raw);

  if (!write_image(state.image, settings.output_name) ||
      !read_image(state, out, settings.output_name, false)) {
    out.line("INVALID " + settings.output_name + " FILE.");
  }
}

}  // namespace plomb
