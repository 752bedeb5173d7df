// The fields of the status registers that the tool reads and rewrites.
//
// Register 13 holds the .END. register (nibbles 0-2) and R00 (nibbles 3-5);
// register 12 the program pointer (nibbles 0-2 register, nibble 3 byte);
// register 15 the line number (nibbles 0-2). Every other bit of the status
// registers belongs to the emulator and passes through unchanged.
#pragma once

#include "image/memory_image.h"

namespace plomb {

int get_end_register(const MemoryImage& image);
void set_end_register(MemoryImage& image, int value);

int get_r00(const MemoryImage& image);

// The byte number is used as stored, also above 6: byte 9 of register r is
// the same address as byte 2 of register r + 1.
ByteAddress get_program_pointer(const MemoryImage& image);
void set_program_pointer(MemoryImage& image, ByteAddress a);

int get_line_number(const MemoryImage& image);
void set_line_number(MemoryImage& image, int value);

}  // namespace plomb
