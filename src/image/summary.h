// The pointers derived from a loaded image and the two summary lines:
//
//   REGS=320 SIZE=64 R00=1C0 BOTTOM=0C0 TOP=1FF 
//   FIRST=0D5 .END.=0D8.2 PRGM=0C3.4 LINE=00A
//
// FIRST is the lowest register of the free block directly below the .END.:
// the registers below it whose most significant byte is zero.
#pragma once

#include "image/memory_image.h"
#include "platform/console.h"

namespace plomb {

void derive_fields(MemoryImage& image);
void print_summary(const MemoryImage& image, Console& out);
// Bytes free below the .END.'s register, from byte 0 of `first_free` up.
int free_space(const MemoryImage& image);

}  // namespace plomb
