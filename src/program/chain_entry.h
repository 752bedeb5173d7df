// Global labels, ENDs and the .END.: the entries of the global chain.
//
// In program order (towards lower addresses) an entry at address f holds:
//   f      0xC_ : bits 3-1 the byte part of the link, bit 0 bit 8 of its
//                 register part
//   f - 1        bits 7-0 of the link's register part
//   f - 2        the kind, by its high nibble: 0xF_ global label (low nibble
//                n: a key byte and n - 1 characters follow), 0x0_ END,
//                0x2_ .END. (low nibble 9: memory is packed)
//   f - 3        labels only: key assignment, 0 for none
//   f - 4 ...    labels only: the characters, first character first
//
// The link is the distance in bytes up to the next entry above: 7 bytes per
// register of its register part plus its byte part. A link of 0 marks the
// top of the chain.
#pragma once

#include <cstdint>
#include <utility>

namespace plomb {

enum class EntryKind { label, end, dot_end, invalid };

inline constexpr int kLinkMaxDistance = 7 * 511 + 6;

// The kind an entry's third byte gives it.
constexpr EntryKind entry_kind(std::uint8_t third) {
  switch (third >> 4) {
    case 0xF: return EntryKind::label;
    case 0x0: return EntryKind::end;
    case 0x2: return EntryKind::dot_end;
    default: return EntryKind::invalid;
  }
}

// A .END. whose third byte has the low nibble 9 marks packed memory.
constexpr bool marks_packed(std::uint8_t third) { return (third & 0x0F) == 0x09; }

// A byte met by a walk over instructions that begins a chain entry; 0xCE and
// 0xCF are two-byte instructions there.
constexpr bool starts_chain_entry(std::uint8_t first) { return first >= 0xC0 && first <= 0xCD; }
// A byte reached through a link that the listing accepts as an entry.
constexpr bool links_to_entry(std::uint8_t first) { return (first & 0xF0) == 0xC0; }

int decode_link(std::uint8_t first, std::uint8_t second);
// The first and second byte of an entry whose next entry up lies `distance`
// bytes higher (0 to kLinkMaxDistance).
std::pair<std::uint8_t, std::uint8_t> encode_link(int distance);

}  // namespace plomb
