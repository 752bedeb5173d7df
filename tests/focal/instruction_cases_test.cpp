// Instructions one by one: their bytes against their written forms, both
// ways, for every row of the instruction table and every kind of parameter;
// the other spellings a listing may use; and lines that must be refused,
// with their messages.
#include <gtest/gtest.h>

#include "focal/listing_compiler.h"
#include "focal/program_listing.h"

namespace plomb {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The text of the one line `bytes` lists as.
std::string line_for(const Bytes& bytes, bool ascii) {
  const XromNames xrom;
  const ProgramListing listing = list_program(bytes, xrom, ascii);
  if (listing.lines.size() != 1 || listing.whole_bytes != bytes.size()) return "(not one line)";
  return listing.lines[0].text;
}

// The bytes one line compiles to, and the END the compiler closes with
// unless the line is one.
Bytes compiled(const std::string& line) {
  const XromNames xrom;
  const CompileResult result = compile_listing(line, xrom);
  return result.ok ? result.program : Bytes{0xEE, 0xEE};
}

Bytes closed(Bytes program) {
  const bool closes = program.size() == 3 && program[0] == 0xC0 && ((program[2] >> 4) == 0 || (program[2] >> 4) == 2);
  if (!closes) program.insert(program.end(), {0xC0, 0x00, 0x0D});
  return program;
}

struct Case {
  Bytes bytes;
  std::string text;   // as listed in UTF-8
  std::string ascii;  // as listed with --ascii; empty when the same
};

const Case kCases[] = {
    // nulls, short labels, digit entry
    {{0x00}, ";@ 00", ""},
    {{0x01}, "LBL 00", ""},
    {{0x0F}, "LBL 14", ""},
    {{0x11, 0x1A, 0x15}, "1.5", ""},
    {{0x1C, 0x12}, "-2", ""},
    {{0x1B, 0x13}, "E3", ""},
    {{0x11, 0x1A, 0x12, 0x1B, 0x1C, 0x15}, "1.2E-5", ""},
    {{0x1C}, "- ;@ 1C", ""},  // a lone minus sign is no subtraction
    // GTO, XEQ and W with a name
    {{0x1D, 0xF3, 'A', 'B', 'C'}, "GTO \"ABC\"", ""},
    {{0x1E, 0xF1, 'X'}, "XEQ \"X\"", ""},
    {{0x1F, 0xF2, 'W', '1'}, "W \"W1\"", ""},
    {{0x1D, 0x03, 'A', 'B', 'C'}, "GTO \"ABC\" ;@ 1D 03 41 42 43", ""},
    // short RCL and STO
    {{0x20}, "RCL 00", ""},
    {{0x2F}, "RCL 15", ""},
    {{0x30}, "STO 00", ""},
    {{0x3F}, "STO 15", ""},
    // functions without a parameter, where the spellings differ
    {{0x40}, "+", ""},
    {{0x41}, "-", ""},
    {{0x46}, "X≤Y?", "X<=Y?"},
    {{0x47}, "Σ+", "SIGMA+"},
    {{0x48}, "Σ-", "SIGMA-"},
    {{0x51}, "X↑2", "X^2"},
    {{0x52}, "SQRT", ""},
    {{0x53}, "Y↑X", "Y^X"},
    {{0x58}, "E↑X-1", "E^X-1"},
    {{0x63}, "X≠0?", "X#0?"},
    {{0x70}, "CLΣ", "CLSIGMA"},
    {{0x74}, "R↑", "R^"},
    {{0x79}, "X≠Y?", "X#Y?"},
    {{0x7B}, "X≤0?", "X<=0?"},
    {{0x83}, "ENTER↑", "ENTER^"},
    {{0x8F}, "ADV", ""},
    // register parameters: numbers, letters, stack and status registers, IND
    {{0x90, 0x05}, "RCL 05 ;@ 90 05", ""},
    {{0x90, 0x10}, "RCL 16", ""},
    {{0x90, 0x73}, "RCL X", ""},
    {{0x90, 0xF3}, "RCL IND X", ""},
    {{0x91, 0x75}, "STO M", ""},
    {{0x92, 0x72}, "ST+ Y", ""},
    {{0x95, 0xE3}, "ST/ IND 99", ""},
    {{0x98, 0x64}, "VIEW 100", ""},
    {{0x98, 0x66}, "VIEW A", ""},
    {{0x99, 0x0D}, "ΣREG 13", "SIGMAREG 13"},
    {{0x9A, 0x7A}, "ASTO ├", "ASTO |-"},
    {{0x9B, 0x7F}, "ARCL e", ""},
    {{0xCE, 0x71}, "X<> Z", ""},
    {{0xCE, 0xFC}, "X<> IND b", ""},
    // one-digit parameters
    {{0x9C, 0x04}, "FIX 4", ""},
    {{0x9F, 0x09}, "TONE 9", ""},
    {{0x9F, 0x59}, "TONE 89", ""},
    {{0x9D, 0x83}, "SCI IND 03", ""},
    // flags
    {{0xA8, 0x19}, "SF 25", ""},
    {{0xAD, 0x8A}, "FC? IND 10", ""},
    {{0xA8, 0x63}, "SF 99", ""},
    // module functions, by name where known
    {{0xA6, 0x60}, "RCLFLAG", ""},
    {{0xA5, 0x10}, "XROM 20,16", ""},
    {{0xA0, 0x01}, "XROM 00,01", ""},
    // indirect branches
    {{0xAE, 0x05}, "GTO IND 05", ""},
    {{0xAE, 0xF2}, "XEQ IND Y", ""},
    // bytes of no instruction
    {{0xAF}, ";@ AF", ""},
    {{0xB0}, ";@ B0", ""},
    // short GTO, with and without a jump distance
    {{0xB1, 0x00}, "GTO 00", ""},
    {{0xBF, 0x00}, "GTO 14", ""},
    {{0xB3, 0x2A}, "GTO 02 ;@ B3 2A", ""},
    // chain entries: links are written and compiled as zero
    {{0xC0, 0x00, 0xF4, 0x00, 'A', 'B', 'C'}, "LBL \"ABC\"", ""},
    {{0xC7, 0x12, 0xF2, 0x00, 'Z'}, "LBL \"Z\"", ""},
    {{0xC0, 0x00, 0xF4, 0x23, 'A', 'B', 'C'}, "LBL \"ABC\" ;@ C0 00 F4 23 41 42 43", ""},
    {{0xC0, 0x00, 0xF0}, "LBL \"\" ;@ C0 00 F0", ""},
    {{0xC0, 0x00, 0x0D}, "END", ""},
    {{0xC0, 0x00, 0x09}, "END ;@ C0 00 09", ""},
    {{0xC0, 0x00, 0x2D}, ".END.", ""},
    {{0xC0, 0x00, 0x29}, ".END. ;@ C0 00 29", ""},
    {{0xC0, 0x00, 0x45}, ";@ C0 00 45", ""},
    // LBL with a parameter byte
    {{0xCF, 0x0F}, "LBL 15", ""},
    {{0xCF, 0x66}, "LBL A", ""},
    {{0xCF, 0x7B}, "LBL a", ""},
    {{0xCF, 0x05}, "LBL 05 ;@ CF 05", ""},
    // long GTO and XEQ
    {{0xD0, 0x00, 0x0F}, "GTO 15", ""},
    {{0xD0, 0x00, 0x66}, "GTO A", ""},
    {{0xD0, 0x00, 0x05}, "GTO 05 ;@ D0 00 05", ""},
    {{0xD3, 0x45, 0x8F}, "GTO 15 ;@ D3 45 8F", ""},
    {{0xE0, 0x00, 0x05}, "XEQ 05", ""},
    {{0xE0, 0x00, 0x7F}, "XEQ e", ""},
    // text and append
    {{0xF0}, "\"\"", ""},
    {{0xF3, 'A', '"', '\\'}, "\"A\\\"\\\\\"", ""},
    {{0xF2, 0x7F, 'X'}, ">\"X\"", ""},
    {{0xF1, 0x7F}, ">\"\"", ""},
    {{0xF4, '|', '-', 'A', 'B'}, "\"\\x7C-AB\"", ""},
    {{0xF4, 0x7E, 0x5E, 0x0C, 0x7F}, "\"Σ↑µ├\"", "\"\\x7E^\\x0C\\x7F\""},
    {{0xF2, 0x80, 0x00}, "\"\\x80\\x00\"", ""},
    {{0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O'}, "\"ABCDEFGHIJKLMNO\"", ""},
};

TEST(InstructionCases, ListAsTheirWrittenForms) {
  for (const Case& c : kCases) {
    EXPECT_EQ(line_for(c.bytes, false), c.text);
    EXPECT_EQ(line_for(c.bytes, true), c.ascii.empty() ? c.text : c.ascii);
  }
}

TEST(InstructionCases, WrittenFormsCompileToTheirBytesLinksAside) {
  for (const Case& c : kCases) {
    const Bytes expected = without_link(c.bytes);
    EXPECT_EQ(compiled(c.text), closed(expected)) << c.text;
    if (!c.ascii.empty()) {
      EXPECT_EQ(compiled(c.ascii), closed(expected)) << c.ascii;
    }
  }
}

TEST(InstructionCases, OtherSpellingsCompile) {
  const std::pair<std::string, Bytes> cases[] = {
      {"S+", {0x47}},
      {"s-", {0x48}},
      {"CLS", {0x70}},
      {"sREG 13", {0x99, 0x0D}},
      {"X NE Y?", {0x79}},
      {"x le 0?", {0x7B}},
      {"√X", {0x52}},
      {"ENTER", {0x83}},
      {"enter^", {0x83}},
      {"P→R", {0x4E}},
      {"rcl ind x", {0x90, 0xF3}},
      {"Rcl 5", {0x25}},
      {"LBL 5", {0x06}},
      {"GTO 3", {0xB4, 0x00}},
      {"├\"AB\"", {0xF3, 0x7F, 'A', 'B'}},
      {"\"|-AB\"", {0xF3, 0x7F, 'A', 'B'}},
      {"01*LBL \"A\"", {0xC0, 0x00, 0xF2, 0x00, 'A'}},
      {"*LBL \"A\"", {0xC0, 0x00, 0xF2, 0x00, 'A'}},
      {"12◆LBL \"A\"", {0xC0, 0x00, 0xF2, 0x00, 'A'}},
      {"♦LBL \"A\"", {0xC0, 0x00, 0xF2, 0x00, 'A'}},
      {"LBL\"A\"", {0xC0, 0x00, 0xF2, 0x00, 'A'}},
      {"  12\t3", {0x13}},
      {"7\t2 E-5", {0x12, 0x1B, 0x1C, 0x15}},
      {".5", {0x1A, 0x15}},
      {"\"\\27\"", {0xF1, 0x27}},
      {"\"\\x41\\\\\\\"\"", {0xF3, 'A', '\\', '"'}},
      {"\"~^{}\"", {0xF4, 0x7E, 0x5E, 0x7B, 0x7D}},
      {"\"π→\"", {0xF2, 0x7B, 0x7D}},
      {"XROM 25,32", {0xA6, 0x60}},
      {"xrom 20, 16", {0xA5, 0x10}},
      {"getkey", {0xA6, 0x51}},
      {"OUTA", {0xA7, 0x23}},
      {"IND", {0xA7, 0x1E}},
      {"X#Y? ; a name, not a comment", {0x79}},
      {"+ # a comment", {0x40}},
  };
  for (const auto& [text, bytes] : cases) EXPECT_EQ(compiled(text), closed(bytes)) << text;
}

TEST(InstructionCases, BadLinesAreRefusedNamingTheWord) {
  const std::pair<std::string, std::string> cases[] = {
      {"FOO", "unknown instruction \"FOO\""},
      {"LAST X", "unknown instruction \"LAST\""},
      {"This program computes the area",
       "unknown instruction \"This\"; a line of description must begin with \";\" or \"#\""},
      {"Enter the radius first",
       "unexpected \"the radius first\" after Enter; a line of description must begin with \";\" or \"#\""},
      {"RCL 130", "parameter out of range in \"RCL 130\""},
      {"LBL K", "parameter out of range in \"LBL K\""},
      {"RCL", "missing parameter in \"RCL\""},
      {"XROM 32,01", "module function out of range in \"XROM 32,01\""},
      {"+ 5", "unexpected \"5\" after +"},
      {"\"ABC", "unclosed quote in \"ABC"},
      {"\"\\xZZ\"", "bad escape in \"\\xZZ\""},
      {"\"€\"", "no calculator character for \"€\" in \"€\""},
      {"\"ABCDEFGHIJKLMNOP\"", "text longer than 15 characters: \"ABCDEFGHIJKLMNOP\""},
      {">\"ABCDEFGHIJKLMNO\"", "text longer than 15 characters: >\"ABCDEFGHIJKLMNO\""},
      {"LBL \"ABCDEFGHIJKLMNO\"", "label longer than 14 characters: LBL \"ABCDEFGHIJKLMNO\""},
      {"RCL 05 ;@ 91 05", "the bytes 91 05 are not RCL 05"},
      {";@ 90", "the bytes 90 are not one whole instruction"},
  };
  const XromNames xrom;
  for (const auto& [line, message] : cases) {
    const CompileResult result = compile_listing("01 LBL \"OK\"\n" + line + "\n", xrom);
    EXPECT_FALSE(result.ok) << line;
    EXPECT_EQ(result.error_line, 2) << line;
    EXPECT_EQ(result.error, message) << line;
  }
}

}  // namespace
}  // namespace plomb
