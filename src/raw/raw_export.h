// Raw program files and their writer.
//
// A raw program file holds a stretch of program memory in program order
// (highest address first), one checksum byte (the sum of the program bytes
// modulo 256), then 1 to 256 zero bytes up to the next multiple of 256.
// It has no header, name or length field.
//
// In "-" mode each program goes to a file named after its first global
// label (or the base name when it has none) and a three-digit number,
// counted upward from the .END.: C.001, PRGM.002, A.003. In "*" mode all of
// program memory goes to one file, base name + ".RAW".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/run_state.h"
#include "platform/console.h"
#include "program/listing.h"

namespace plomb {

inline constexpr std::size_t kRawBlockBytes = 256;

// Program bytes, checksum and zero fill, as a raw file holds them.
std::vector<std::uint8_t> raw_file_contents(std::span<const std::uint8_t> program);

// The file name for the range about to be written. Label bytes that would
// choose a directory ('/', '\') or end the name (NUL), and on Windows the
// other bytes it refuses in names, become '_'.
std::string raw_file_name(const SaveCursor& cursor, const RunSettings& settings);

// Writes the range cursor.hi down to cursor.lo to a raw file when
// `save_flag` is set and the range holds more than one byte, prints its
// "->" line once the file is complete, and moves the cursor on.
void save_raw_file(SaveCursor& cursor, const RunState& state, Console& out, bool save_flag);

}  // namespace plomb
