// Instruction lengths and the relinking of the global chain after an import.
//
// An imported program arrives with zero links (or links that were right
// where it was saved). After it is placed below the old .END., the relink
// walks instruction by instruction from the old .END. down to the new one
// and gives every chain entry with a zero link the distance up to the entry
// above it, joining the new program into the chain.
#pragma once

#include <cstdint>

#include "focal/instruction_set.h"
#include "image/memory_image.h"

namespace plomb {

// The length of the instruction whose first byte is at `p`.
int instruction_length(const MemoryImage& image, ByteAddress p);

// Fills in the zero links from `start` (the old .END.) down to `stop` (the
// new .END.) and leaves image.end_address at the last entry visited.
void relink_chain(MemoryImage& image, ByteAddress start, ByteAddress stop);

}  // namespace plomb
