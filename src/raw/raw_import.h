// Loading a raw program file into the image.
//
// The program is placed directly below the register of the old .END., which
// becomes an END; the raw file's own closing END is replaced by a new .END.
// on byte 2 of a register (with nulls between when the program does not
// fill its last register), the chain is relinked, the program pointer goes
// to the first loaded byte and the line number to 0xFFF. The image is
// written to the output file and read back, which lists the result.
//
// A raw file is refused before anything changes when its checksum is wrong,
// when it is not a whole sequence of instructions closed by an END, or when
// its links would not join the chain soundly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "image/run_state.h"
#include "platform/console.h"

namespace plomb {

// The most a raw file can bring: all of main memory, 320 registers.
inline constexpr std::size_t kRawImageBytes = 2240;

struct RawImage {
  std::array<std::uint8_t, kRawImageBytes> bytes{};
  int n = 0;  // bytes held; bytes[0] is byte 1, the first in program order
  std::uint8_t byte(int i) const { return i >= 1 && i <= n ? bytes[static_cast<std::size_t>(i - 1)] : 0; }
};

// What a raw file's bytes hold: the zero fill dropped (never below one
// byte) and, when the program ends with a chain entry followed by one more
// byte, that byte taken as the checksum of the program bytes.
struct RawContents {
  int n = 0;                  // program bytes
  std::uint8_t checksum = 0;  // the checksum found, 0 when the file carries none
  bool checksum_ok = true;
};
RawContents recognise_raw(std::span<const std::uint8_t> bytes);

// True when the n program bytes form whole instructions closed by an END or
// .END., and every non-zero link above the closing entry points exactly at
// the entry above it (or, for the topmost, at the old .END. 3 bytes above
// byte 1).
bool is_loadable(const RawImage& raw);

void import_raw_program(RunState& state, Console& out);

}  // namespace plomb
