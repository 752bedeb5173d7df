// How the tool prints numbers and byte addresses.
//
// An address prints as its register in 3-digit hex, ".", and the byte index
// as one digit: byte 2 of register 0x0A3 is 0A3.2.
#pragma once

#include <cstdint>
#include <string>

#include "image/memory_image.h"

namespace plomb {

// Uppercase hex, at least three digits, zero-filled.
std::string hex3(int value);
// Exactly two uppercase hex digits.
std::string hex2(std::uint8_t value);
// Register, ".", byte index. `a` must not be negative.
std::string address_text(ByteAddress a);

// The same, appended to `text`: the listing builds its lines this way.
void append_hex3(std::string& text, int value);
void append_hex2(std::string& text, std::uint8_t value);
void append_address(std::string& text, ByteAddress a);

}  // namespace plomb
