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
    digits[count++] = kHexDigits[rest & 0x0F];
    rest >>= 4;
  } while (rest != 0 && count < 8);
  for (int pad = count; pad < 3; ++pad) text.push_back('0');
  while (count > 0) text.push_back(digits[--count]);
}

void append_hex2(std::string& text, std::uint8_t value) {
  text.push_back(kHexDigits[value >> 4]);
  text.push_back(kHexDigits[value & 0x0F]);
}

void append_address(std::string& text, ByteAddress a) {
  append_hex3(text, a / kRegisterBytes);
  text.push_back('.');
  text.push_back(static_cast<char>('0' + a % kRegisterBytes));
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
