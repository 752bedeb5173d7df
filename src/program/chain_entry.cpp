#include "program/chain_entry.h"

namespace plomb {

int decode_link(std::uint8_t first, std::uint8_t second) {
  const int register_part = 256 * (first & 0x01) + second;
  const int byte_part = (first >> 1) & 0x07;
  return 7 * register_part + byte_part;
}

std::pair<std::uint8_t, std::uint8_t> encode_link(int distance) {
  const int register_part = distance / 7;
  const int byte_part = distance % 7;
  return {static_cast<std::uint8_t>(0xC0 + byte_part * 2 + register_part / 256),
          static_cast<std::uint8_t>(register_part % 256)};
}

}  // namespace plomb
