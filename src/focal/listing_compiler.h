// A FOCAL listing, as published or as written here, compiled to program bytes.
//
// A line holds, each part optional: a step number (digits followed by a
// blank or tab), the printer's global-label mark ("*", "◆", "♦") before
// LBL, one instruction, and a comment from ';' (or from '#' at the start of
// a word) outside quotes. Blank lines, CR LF line ends and a UTF-8 byte-order
// mark are fine. A comment ";@ HH HH ..." gives the instruction's exact
// bytes (see program_listing.h). A line as written by the listing's --bytes
// option ("ADDRESS HH HH ... | LINE") is read from its "|" on.
//
// Two numbers on consecutive lines get the null the calculator puts between
// them. The program gets a closing END when its last instruction is no END
// or .END.. Chain links are zero throughout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "focal/xrom.h"

namespace plomb {

// The most program bytes the calculator's main memory can hold.
inline constexpr std::size_t kMaxProgramBytes = 2240;

struct CompileResult {
  std::vector<std::uint8_t> program;  // the instructions' bytes, closing END included
  bool ok = false;
  int error_line = 0;  // 1-based; 0 for an error of the whole listing
  std::string error;
  // Lines whose .END. is not the listing's last instruction: the bytes keep
  // it, and a load leaves it inside program memory.
  std::vector<int> inner_dot_end_lines;
};

CompileResult compile_listing(std::string_view text, const XromNames& xrom);

}  // namespace plomb
