#include "program/relink.h"

#include <array>

#include "program/chain_entry.h"

namespace plomb {

namespace {

// How an instruction's length follows from its first byte.
enum class LengthRule : std::uint8_t {
  fixed,             // the table's length
  text_header_next,  // GTO/XEQ/W alpha: 2 + low nibble of the second byte
  chain_entry,       // 3, plus the low nibble of the third byte for a label
  text,              // 1 + low nibble of the first byte
};

struct LengthEntry {
  LengthRule rule = LengthRule::fixed;
  std::uint8_t length = 1;
};

constexpr std::array<LengthEntry, 256> make_length_table() {
  std::array<LengthEntry, 256> table{};
  const auto fill = [&table](int from, int to, LengthRule rule, std::uint8_t length) {
    for (int b = from; b <= to; ++b) table[static_cast<std::size_t>(b)] = {rule, length};
  };
  fill(0x00, 0x1C, LengthRule::fixed, 1);  // nulls, short labels, digit entry
  fill(0x1D, 0x1F, LengthRule::text_header_next, 0);
  fill(0x20, 0x8F, LengthRule::fixed, 1);  // register and stack operations
  fill(0x90, 0xAE, LengthRule::fixed, 2);  // operations with a parameter byte
  fill(0xAF, 0xB0, LengthRule::fixed, 1);
  fill(0xB1, 0xBF, LengthRule::fixed, 2);  // short GTO
  fill(0xC0, 0xCD, LengthRule::chain_entry, 0);
  fill(0xCE, 0xCF, LengthRule::fixed, 2);  // X<> and LBL with a parameter
  fill(0xD0, 0xEF, LengthRule::fixed, 3);  // long GTO and XEQ
  fill(0xF0, 0xFF, LengthRule::text, 0);
  return table;
}

constexpr std::array<LengthEntry, 256> kLengthTable = make_length_table();

}  // namespace

int instruction_length(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
  const LengthEntry entry = kLengthTable[first];
  switch (entry.rule) {
    case LengthRule::fixed: return entry.length;
    case LengthRule::text_header_next: return 2 + (second & 0x0F);
    case LengthRule::chain_entry: return entry_kind(third) == EntryKind::label ? 3 + (third & 0x0F) : 3;
    case LengthRule::text: return 1 + (first & 0x0F);
  }
  return 1;
}

int instruction_length(const MemoryImage& image, ByteAddress p) {
  return instruction_length(byte_at(image, p), byte_at(image, p - 1), byte_at(image, p - 2));
}

void relink_chain(MemoryImage& image, ByteAddress start, ByteAddress stop) {
  image.end_address = start;
  for (ByteAddress p = start; p >= stop; p -= instruction_length(image, p)) {
    const std::uint8_t first = byte_at(image, p);
    if (!starts_chain_entry(first)) continue;
    if (decode_link(first, byte_at(image, p - 1)) == 0) {
      const auto [link_first, link_second] = encode_link(image.end_address - p);
      set_byte(image, p, link_first);
      set_byte(image, p - 1, link_second);
    }
    image.end_address = p;
  }
}

}  // namespace plomb
