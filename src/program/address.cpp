#include "program/address.h"

namespace plomb {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

void append_hex3(std::string& text, int value) {
  char digits[8];
  int count = 0;
  auto rest = static_cast<unsigned>(value);
  do {
    digits[7 - count++] = kHexDigits[rest & 0x0F];
    rest >>= 4;
  } while (rest != 0 && count < 8);
  while (count < 3) digits[7 - count++] = '0';
  text.append(digits + 8 - count, static_cast<std::size_t>(count));
}

void append_hex2(std::string& text, std::uint8_t value) {
  const char digits[2] = {kHexDigits[value >> 4], kHexDigits[value & 0x0F]};
  text.append(digits, 2);
}

void append_address(std::string& text, ByteAddress a) {
  append_hex3(text, a / kRegisterBytes);
  const char byte_index[2] = {'.', static_cast<char>('0' + a % kRegisterBytes)};
  text.append(byte_index, 2);
}

std::string hex3(int value) {
  std::string text;
  append_hex3(text, value);
  return text;
}

std::string hex2(std::uint8_t value) {
  std::string text;
  append_hex2(text, value);
  return text;
}

std::string address_text(ByteAddress a) {
  std::string text;
  append_address(text, a);
  return text;
}

}  // namespace plomb
