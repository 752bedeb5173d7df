// Property checks the FOCAL fuzz targets share: a program's instruction
// walk, and the round trip of a program through its listing and the
// compiler in both spellings.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "focal/xrom.h"

namespace plomb::fuzz {

// The program's bytes with every chain link zero, when it is made of whole
// instructions; otherwise false.
bool unlinked_instructions(std::span<const std::uint8_t> program, std::vector<std::uint8_t>& unlinked);

// Whether the last whole instruction of `program` is an END or a .END..
bool ends_with_closing_entry(std::span<const std::uint8_t> program);

// Lists `program` (made of whole instructions, links zero, closed by an END)
// in both spellings, with and without the --bytes column, and requires each
// listing to compile back to `program`.
void require_listing_round_trip(std::span<const std::uint8_t> program, const XromNames& xrom);

}  // namespace plomb::fuzz
