// The calculator's memory as the tool holds it while it works.
//
// The calculator keeps everything in 1008 registers of 7 bytes (56 bits),
// numbered 0x000 to 0x3EF; byte 0 is the least significant byte of a
// register. Programs are runs of bytes that cross register boundaries freely,
// so every part of the tool that looks at programs names single bytes by a
// ByteAddress: register number * 7 + byte index.
//
// Registers above 0x3EF do not exist. Reading a byte outside the array gives
// 0x00 and writing one outside it does nothing, so no chain or pointer read
// from an image can lead the tool outside its buffer.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace plomb {

using ByteAddress = std::int32_t;

inline constexpr int kRegisterBytes = 7;
inline constexpr int kRegisterCount = 0x3F0;
inline constexpr int kLastRegister = kRegisterCount - 1;
inline constexpr int kStatusRegisterCount = 16;
inline constexpr ByteAddress kLastAddress = kLastRegister * kRegisterBytes + 6;
inline constexpr std::size_t kArrayBytes = kRegisterCount * kRegisterBytes;

// Main memory, where programs live, is registers 0x0C0 to 0x1FF.
inline constexpr int kMainMemoryFirst = 0x0C0;
inline constexpr int kMainMemoryEnd = 0x200;

using RegisterArray = std::array<std::uint8_t, kArrayBytes>;

// The 13 leading bytes of an image file: an 8-byte signature naming the
// calculator and five bytes the tool carries through untouched.
using ImageHeader = std::string;

struct MemoryImage {
  ImageHeader header;
  RegisterArray registers{};
  int bottom = 0;  // lowest data register the file holds: 0x040 or 0x0C0
  int top = 0;     // highest data register read; bottom - 1 when none

  // Derived after every load from the status registers.
  int mem_end = 0;
  int r00 = 0;
  ByteAddress end_address = 0;
  int first_free = 0;
  ByteAddress program_pointer = 0;
  int line_number = 0;
};

constexpr ByteAddress address_of(int register_number, int byte_index) {
  return register_number * kRegisterBytes + byte_index;
}

inline bool in_array(ByteAddress a) { return a >= 0 && a <= kLastAddress; }

inline std::uint8_t byte_at(const MemoryImage& image, ByteAddress a) {
  return in_array(a) ? image.registers[static_cast<std::size_t>(a)] : std::uint8_t{0};
}

inline void set_byte(MemoryImage& image, ByteAddress a, std::uint8_t value) {
  if (in_array(a)) image.registers[static_cast<std::size_t>(a)] = value;
}

}  // namespace plomb
