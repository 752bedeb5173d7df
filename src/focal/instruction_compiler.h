// One instruction of a FOCAL listing, from its written form to its bytes.
//
// The written form is what stands on a listing line between the step number
// and the comment: "RCL IND X", "LBL \"AREA\"", "1.5E-3", ">\"ABC\"",
// "XROM 25,32". Names are read in any letter case and in their calculator,
// Unicode and ASCII spellings; parameters as the calculator shows them
// (their letters in their own case: LBL A and LBL a differ).
//
// Every form compiles to the bytes the calculator itself keys in for it: the
// short forms where they exist (RCL 05, LBL 07, GTO 03) and every chain link
// and jump distance zero.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "focal/xrom.h"

namespace plomb {

inline constexpr std::size_t kMaxTextBytes = 15;   // a text line, append sign included
inline constexpr std::size_t kMaxLabelBytes = 14;  // a global label's name

// The bytes of the instruction written as `text`. Returns false and sets
// `error` (a message naming the word at fault) when `text` is no
// instruction.
bool compile_instruction(std::string_view text, const XromNames& xrom, std::vector<std::uint8_t>& bytes,
                         std::string& error);

// True when `text` (blanks aside) is made only of the characters of a number
// as keyed in: digits, '.', 'E' and '-', and is not the lone "-" of
// subtraction.
bool is_number_text(std::string_view text);

}  // namespace plomb
