#include "image/status_fields.h"

namespace plomb {

namespace {

constexpr int kProgramPointerRegister = 0x00C;
constexpr int kEndRegister = 0x00D;
constexpr int kLineNumberRegister = 0x00F;

std::uint8_t& status_byte(MemoryImage& image, int register_number, int byte_index) {
  return image.registers[static_cast<std::size_t>(address_of(register_number, byte_index))];
}

int status_byte(const MemoryImage& image, int register_number, int byte_index) {
  return image.registers[static_cast<std::size_t>(address_of(register_number, byte_index))];
}

// A 12-bit field in nibbles 0-2: byte 0 and the low nibble of byte 1.
int get_low_twelve_bits(const MemoryImage& image, int register_number) {
  return status_byte(image, register_number, 0) + 256 * (status_byte(image, register_number, 1) & 0x0F);
}

// Writes nibbles 0-2, keeping the high nibble of byte 1.
void set_low_twelve_bits(MemoryImage& image, int register_number, int value) {
  status_byte(image, register_number, 0) = static_cast<std::uint8_t>(value & 0xFF);
  std::uint8_t& byte1 = status_byte(image, register_number, 1);
  byte1 = static_cast<std::uint8_t>((byte1 & 0xF0) | ((value >> 8) & 0x0F));
}

}  // namespace

int get_end_register(const MemoryImage& image) { return get_low_twelve_bits(image, kEndRegister); }

void set_end_register(MemoryImage& image, int value) { set_low_twelve_bits(image, kEndRegister, value); }

int get_r00(const MemoryImage& image) {
  return (status_byte(image, kEndRegister, 1) >> 4) + 16 * status_byte(image, kEndRegister, 2);
}

ByteAddress get_program_pointer(const MemoryImage& image) {
  const int register_number = get_low_twelve_bits(image, kProgramPointerRegister);
  const int byte_number = status_byte(image, kProgramPointerRegister, 1) >> 4;
  return register_number * kRegisterBytes + byte_number;
}

void set_program_pointer(MemoryImage& image, ByteAddress a) {
  const int register_number = a / kRegisterBytes;
  const int byte_number = a % kRegisterBytes;
  status_byte(image, kProgramPointerRegister, 0) = static_cast<std::uint8_t>(register_number & 0xFF);
  status_byte(image, kProgramPointerRegister, 1) =
      static_cast<std::uint8_t>(((register_number >> 8) & 0x0F) + 16 * byte_number);
}

int get_line_number(const MemoryImage& image) { return get_low_twelve_bits(image, kLineNumberRegister); }

void set_line_number(MemoryImage& image, int value) { set_low_twelve_bits(image, kLineNumberRegister, value); }

}  // namespace plomb
