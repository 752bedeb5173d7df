// The emulator's memory image file.
//
//   offset 0    8 bytes   signature: "HPHP4?-?" (bytes 6 and 8 name the model)
//   offset 8    5 bytes   further header bytes, carried through untouched
//   offset 13   112 bytes status registers 0x000-0x00F, 7 bytes each, byte 0 first
//   offset 125  7 * N     data registers from `bottom` upward
//
// There is no length field: `bottom` follows from the number of 7-byte
// records after the header (more than 336 records: 0x040, else 0x0C0), and
// records past register 0x3EF are ignored.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/run_state.h"
#include "platform/console.h"

namespace plomb {

inline constexpr std::size_t kSignatureBytes = 8;
inline constexpr std::size_t kHeaderBytes = 13;
inline constexpr std::size_t kStatusBytes = kStatusRegisterCount * kRegisterBytes;
inline constexpr std::size_t kFirstDataOffset = kHeaderBytes + kStatusBytes;
inline constexpr int kLowBottom = 0x040;
inline constexpr int kHighBottom = 0x0C0;
// The most an image file can hold that the tool uses.
inline constexpr std::size_t kMaxImageFileBytes =
    kFirstDataOffset + kRegisterBytes * static_cast<std::size_t>(kRegisterCount - kLowBottom);

// Checks and loads an image from the first bytes of its file (`bytes`, at
// most kMaxImageFileBytes) and the file's whole length, and derives its
// pointers. Prints nothing. On return `image.header` holds the signature as
// far as the file has one, also when the file is no image.
bool parse_image(std::span<const std::uint8_t> bytes, std::uint64_t length, MemoryImage& image);

// Reads, checks and loads the image `name`, prints its "CALC=" line, its
// summary and its program listing (writing raw files when `save_flag` is set)
// and returns whether it is valid. Prints nothing when the file cannot be
// opened; the caller reports an invalid file.
bool read_image(RunState& state, Console& out, const std::string& name, bool save_flag);

// The bytes of an image file for `image`: header, status registers and
// registers `bottom` to `top`.
std::vector<std::uint8_t> image_file_contents(const MemoryImage& image);

// Writes the image to `name` atomically; returns false, leaving any old file
// whole, when that fails. Prints nothing.
bool write_image(const MemoryImage& image, const std::string& name);

}  // namespace plomb
