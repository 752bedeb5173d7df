// The calculator's instruction set: one entry for every first byte.
//
// A program is a run of instructions in program order. The first byte of an
// instruction says what it is and how long it is; some lengths depend on the
// bytes that follow:
//
//   0x00        null (no step; the calculator puts one between two numbers)
//   0x01-0x0F   LBL 00-14                          1 byte
//   0x10-0x1C   one character of a number: 0-9 . E -   1 byte each
//   0x1D-0x1F   GTO, XEQ, W "text": 0xFn + n characters   2 + n bytes
//   0x20-0x3F   RCL, STO 00-15                     1 byte
//   0x40-0x8F   functions without a parameter      1 byte
//   0x90-0xAD   functions with a parameter byte    2 bytes (0xA0-0xA7 XROM)
//   0xAE        GTO IND / XEQ IND (bit 7 of the parameter)   2 bytes
//   0xAF, 0xB0  no instruction                     1 byte
//   0xB1-0xBF   GTO 00-14 and a jump byte          2 bytes
//   0xC0-0xCD   global label, END, .END.: chain entries (see chain_entry.h)
//               3 bytes, a label 3 + the low nibble of its third byte
//   0xCE, 0xCF  X<> and LBL with a parameter byte  2 bytes
//   0xD0-0xEF   GTO, XEQ with two jump bytes       3 bytes
//   0xF0-0xFF   text of n = low nibble characters  1 + n bytes
//
// Both the import (which must walk a program instruction by instruction)
// and the FOCAL listing and compiler use this one table. It depends on
// nothing else in the tool.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace plomb {

// How an instruction's length follows from its first byte.
enum class LengthRule : std::uint8_t {
  fixed,             // the table's length
  text_header_next,  // GTO/XEQ/W "text": 2 + low nibble of the second byte
  chain_entry,       // 3, plus the low nibble of the third byte for a label
  text,              // 1 + low nibble of the first byte
};

// What follows the name of an instruction in a listing.
enum class Operand : std::uint8_t {
  none,             // a function on its own
  null,             // 0x00
  short_label,      // LBL 00-14, in the first byte
  digit,            // a character of a number
  alpha_target,     // GTO/XEQ/W "text"
  short_register,   // RCL/STO 00-15, in the first byte
  register_byte,    // a register, stack or status register, or IND one
  digit_byte,       // FIX/SCI/ENG/TONE: 0-9 (or any register form)
  flag_byte,        // SF/CF/FS?... : a flag number
  xrom,             // module function rr,nn
  indirect_branch,  // GTO IND / XEQ IND
  spare,            // no instruction
  short_branch,     // GTO 00-14 and its jump byte
  chain_entry,      // global label, END, .END.
  label_byte,       // LBL with a parameter byte
  long_branch,      // GTO/XEQ with a label in the third byte
  text,             // text or append
};

struct InstructionInfo {
  std::string_view name;   // as the calculator shows it, in UTF-8
  std::string_view ascii;  // the common ASCII spelling
  LengthRule rule = LengthRule::fixed;
  std::uint8_t length = 1;
  Operand operand = Operand::none;
};

namespace instruction_table_detail {

struct Row {
  std::uint8_t first;
  std::uint8_t last;
  std::string_view name;
  std::string_view ascii;
  LengthRule rule;
  std::uint8_t length;
  Operand operand;
};

// The functions without a parameter, 0x40-0x8F, in byte order.
inline constexpr std::array<std::array<std::string_view, 2>, 80> kSimpleFunctions{{
    {"+", "+"},         {"-", "-"},          {"*", "*"},         {"/", "/"},
    {"X<Y?", "X<Y?"},   {"X>Y?", "X>Y?"},    {"X≤Y?", "X<=Y?"},  {"Σ+", "SIGMA+"},
    {"Σ-", "SIGMA-"},   {"HMS+", "HMS+"},    {"HMS-", "HMS-"},   {"MOD", "MOD"},
    {"%", "%"},         {"%CH", "%CH"},      {"P-R", "P-R"},     {"R-P", "R-P"},
    {"LN", "LN"},       {"X↑2", "X^2"},      {"SQRT", "SQRT"},   {"Y↑X", "Y^X"},
    {"CHS", "CHS"},     {"E↑X", "E^X"},      {"LOG", "LOG"},     {"10↑X", "10^X"},
    {"E↑X-1", "E^X-1"}, {"SIN", "SIN"},      {"COS", "COS"},     {"TAN", "TAN"},
    {"ASIN", "ASIN"},   {"ACOS", "ACOS"},    {"ATAN", "ATAN"},   {"DEC", "DEC"},
    {"1/X", "1/X"},     {"ABS", "ABS"},      {"FACT", "FACT"},   {"X≠0?", "X#0?"},
    {"X>0?", "X>0?"},   {"LN1+X", "LN1+X"},  {"X<0?", "X<0?"},   {"X=0?", "X=0?"},
    {"INT", "INT"},     {"FRC", "FRC"},      {"D-R", "D-R"},     {"R-D", "R-D"},
    {"HMS", "HMS"},     {"HR", "HR"},        {"RND", "RND"},     {"OCT", "OCT"},
    {"CLΣ", "CLSIGMA"}, {"X<>Y", "X<>Y"},    {"PI", "PI"},       {"CLST", "CLST"},
    {"R↑", "R^"},       {"RDN", "RDN"},      {"LASTX", "LASTX"}, {"CLX", "CLX"},
    {"X=Y?", "X=Y?"},   {"X≠Y?", "X#Y?"},    {"SIGN", "SIGN"},   {"X≤0?", "X<=0?"},
    {"MEAN", "MEAN"},   {"SDEV", "SDEV"},    {"AVIEW", "AVIEW"}, {"CLD", "CLD"},
    {"DEG", "DEG"},     {"RAD", "RAD"},      {"GRAD", "GRAD"},   {"ENTER↑", "ENTER^"},
    {"STOP", "STOP"},   {"RTN", "RTN"},      {"BEEP", "BEEP"},   {"CLA", "CLA"},
    {"ASHF", "ASHF"},   {"PSE", "PSE"},      {"CLRG", "CLRG"},   {"AOFF", "AOFF"},
    {"AON", "AON"},     {"OFF", "OFF"},      {"PROMPT", "PROMPT"}, {"ADV", "ADV"},
}};

// The functions with a parameter byte, 0x90-0x9F and 0xA8-0xAD.
inline constexpr std::array<std::array<std::string_view, 2>, 16> kRegisterFunctions{{
    {"RCL", "RCL"},   {"STO", "STO"},   {"ST+", "ST+"},   {"ST-", "ST-"},
    {"ST*", "ST*"},   {"ST/", "ST/"},   {"ISG", "ISG"},   {"DSE", "DSE"},
    {"VIEW", "VIEW"}, {"ΣREG", "SIGMAREG"}, {"ASTO", "ASTO"}, {"ARCL", "ARCL"},
    {"FIX", "FIX"},   {"SCI", "SCI"},   {"ENG", "ENG"},   {"TONE", "TONE"},
}};
inline constexpr std::array<std::string_view, 6> kFlagFunctions{"SF", "CF", "FS?C", "FC?C", "FS?", "FC?"};

constexpr std::array<InstructionInfo, 256> make_table() {
  std::array<InstructionInfo, 256> table{};
  const auto fill = [&table](int from, int to, InstructionInfo info) {
    for (int b = from; b <= to; ++b) table[static_cast<std::size_t>(b)] = info;
  };
  fill(0x00, 0x00, {"NULL", "NULL", LengthRule::fixed, 1, Operand::null});
  fill(0x01, 0x0F, {"LBL", "LBL", LengthRule::fixed, 1, Operand::short_label});
  fill(0x10, 0x1C, {"", "", LengthRule::fixed, 1, Operand::digit});
  fill(0x1D, 0x1D, {"GTO", "GTO", LengthRule::text_header_next, 0, Operand::alpha_target});
  fill(0x1E, 0x1E, {"XEQ", "XEQ", LengthRule::text_header_next, 0, Operand::alpha_target});
  fill(0x1F, 0x1F, {"W", "W", LengthRule::text_header_next, 0, Operand::alpha_target});
  fill(0x20, 0x2F, {"RCL", "RCL", LengthRule::fixed, 1, Operand::short_register});
  fill(0x30, 0x3F, {"STO", "STO", LengthRule::fixed, 1, Operand::short_register});
  for (std::size_t i = 0; i < kSimpleFunctions.size(); ++i) {
    table[0x40 + i] = {kSimpleFunctions[i][0], kSimpleFunctions[i][1], LengthRule::fixed, 1, Operand::none};
  }
  for (std::size_t i = 0; i < kRegisterFunctions.size(); ++i) {
    const Operand operand = i >= 12 ? Operand::digit_byte : Operand::register_byte;
    table[0x90 + i] = {kRegisterFunctions[i][0], kRegisterFunctions[i][1], LengthRule::fixed, 2, operand};
  }
  fill(0xA0, 0xA7, {"XROM", "XROM", LengthRule::fixed, 2, Operand::xrom});
  for (std::size_t i = 0; i < kFlagFunctions.size(); ++i) {
    table[0xA8 + i] = {kFlagFunctions[i], kFlagFunctions[i], LengthRule::fixed, 2, Operand::flag_byte};
  }
  fill(0xAE, 0xAE, {"GTO", "GTO", LengthRule::fixed, 2, Operand::indirect_branch});
  fill(0xAF, 0xB0, {"", "", LengthRule::fixed, 1, Operand::spare});
  fill(0xB1, 0xBF, {"GTO", "GTO", LengthRule::fixed, 2, Operand::short_branch});
  fill(0xC0, 0xCD, {"", "", LengthRule::chain_entry, 3, Operand::chain_entry});
  fill(0xCE, 0xCE, {"X<>", "X<>", LengthRule::fixed, 2, Operand::register_byte});
  fill(0xCF, 0xCF, {"LBL", "LBL", LengthRule::fixed, 2, Operand::label_byte});
  fill(0xD0, 0xDF, {"GTO", "GTO", LengthRule::fixed, 3, Operand::long_branch});
  fill(0xE0, 0xEF, {"XEQ", "XEQ", LengthRule::fixed, 3, Operand::long_branch});
  fill(0xF0, 0xFF, {"", "", LengthRule::text, 0, Operand::text});
  return table;
}

}  // namespace instruction_table_detail

inline constexpr std::array<InstructionInfo, 256> kInstructionTable = instruction_table_detail::make_table();

inline constexpr const InstructionInfo& instruction_info(std::uint8_t first) { return kInstructionTable[first]; }

// A character of a number being keyed in: 0-9, '.', 'E' or '-'.
constexpr bool is_digit_byte(std::uint8_t b) { return kInstructionTable[b].operand == Operand::digit; }

// The length rules alone, taken from the table when compiling: the import
// walks programs with these 512 bytes, without the names.
struct LengthEntry {
  LengthRule rule = LengthRule::fixed;
  std::uint8_t length = 1;
};

inline constexpr std::array<LengthEntry, 256> kLengthTable = [] {
  std::array<LengthEntry, 256> lengths{};
  for (std::size_t b = 0; b < lengths.size(); ++b) lengths[b] = {kInstructionTable[b].rule, kInstructionTable[b].length};
  return lengths;
}();

// The length of the instruction whose first byte is `first`; `second` and
// `third` are the two bytes that follow it in program order, which some
// lengths depend on.
constexpr int instruction_length(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
  const LengthEntry entry = kLengthTable[first];
  switch (entry.rule) {
    case LengthRule::fixed: return entry.length;
    case LengthRule::text_header_next: return 2 + (second & 0x0F);
    case LengthRule::chain_entry: return (third >> 4) == 0xF ? 3 + (third & 0x0F) : 3;
    case LengthRule::text: return 1 + (first & 0x0F);
  }
  return 1;
}

}  // namespace plomb
