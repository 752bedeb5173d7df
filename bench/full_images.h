// The images the benchmarks work on: a full memory (960 records, program
// memory 0x0C0 to 0x1FF packed) and one of 700 one-END programs.
#pragma once

#include <cstdint>
#include <vector>

#include "image/memory_image.h"

namespace plomb::bench {

// Many short programs and one with hundreds of global labels, leaving a few
// registers free below the .END. for a load.
MemoryImage full_image();
// 700 programs of a single END each.
MemoryImage one_end_programs(int count = 700);
// A small raw program (label, one instruction, END) that fits the free space
// of full_image().
std::vector<std::uint8_t> small_raw_file();

}  // namespace plomb::bench
