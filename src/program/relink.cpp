#include "program/relink.h"

#include <array>

#include "program/chain_entry.h"

namespace plomb {

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
