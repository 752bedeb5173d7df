// A program's bytes as the lines of a FOCAL listing.
//
// Each instruction gets its standard written form, as the calculator shows
// it. Where its bytes are not what that form compiles to (a synthetic long
// form, a jump distance left by a run, a global label assigned to a key, an
// END marked packed, a null, a byte that is no instruction) the line carries
// the bytes after the form in a comment, ";@ HH HH ...", which the compiler
// here takes as the instruction's bytes and other compilers pass over. So
// every program lists as text that compiles back to its very bytes, chain
// links aside: they are written, and compiled, as zero.
//
// A number is one line however many digit bytes it has, and the null the
// calculator puts between two numbers is implied by the second number's line
// (also where only instructions with an indirect parameter stand between
// them, as the established compilers write it). A number line that carries
// its bytes never implies that null.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "focal/xrom.h"

namespace plomb {

struct ListedLine {
  std::size_t offset = 0;  // the line's first byte in the program
  std::size_t length = 0;  // its bytes, a separating null included
  std::string text;        // written form, perhaps with its bytes; or only the bytes
  bool step = true;        // counts as a step; a lone null or a byte of no instruction does not
  bool global_label = false;
};

struct ProgramListing {
  std::vector<ListedLine> lines;
  std::size_t whole_bytes = 0;  // bytes that make whole instructions
};

// The lines of `program`. When its last instruction runs past its end,
// `whole_bytes` is less than its size and that instruction is not listed.
ProgramListing list_program(std::span<const std::uint8_t> program, const XromNames& xrom, bool ascii);

// The standard written form of one whole instruction, empty when it has
// none (a null, a byte of no instruction, a chain entry of no known kind).
std::string standard_form(std::span<const std::uint8_t> instruction, const XromNames& xrom, bool ascii);

// Whether a number after `instruction` is separated from a number before it
// by a null, given whether one after the instruction before it would be.
bool number_separated_after(std::span<const std::uint8_t> instruction, bool before);

// Whether one whole instruction is an END or a .END., and a .END..
bool closes_program(std::span<const std::uint8_t> instruction);
bool is_dot_end(std::span<const std::uint8_t> instruction);

// The bytes a compiled program holds for `instruction`: its chain link zero.
std::vector<std::uint8_t> without_link(std::span<const std::uint8_t> instruction);

struct ListingStyle {
  bool ascii = false;
  // When set, each line begins with where its first byte lies and its bytes.
  std::function<std::string(std::size_t offset)> where;
  std::string_view line_end = "\n";
};

// Appends the printed listing of one program: step numbers from 01 (two
// digits, three from 100), global labels marked as the printer marks them
// ("◆", or "*" in ASCII) with a blank line before them inside a program.
void append_listing(std::string& out, const ProgramListing& listing, std::span<const std::uint8_t> program,
                    const ListingStyle& style);

}  // namespace plomb
