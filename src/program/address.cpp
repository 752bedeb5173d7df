#include "program/address.h"

#include <cstdio>

namespace plomb {

std::string hex3(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%03X", static_cast<unsigned>(value));
  return text;
}

std::string hex2(std::uint8_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string address_text(ByteAddress a) {
  return hex3(a / kRegisterBytes) + "." + static_cast<char>('0' + a % kRegisterBytes);
}

}  // namespace plomb
