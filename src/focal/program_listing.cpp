#include "focal/program_listing.h"

#include "focal/charset.h"
#include "focal/instruction_compiler.h"
#include "focal/instruction_set.h"
#include "focal/text_pieces.h"
#include "program/chain_entry.h"

namespace plomb {

namespace {


void append_two_digits(std::string& out, int value) {
  out.push_back(static_cast<char>('0' + value / 10));
  out.push_back(static_cast<char>('0' + value % 10));
}

// A parameter as the calculator shows it: 00-99, 100, 101, A-J, the stack and
// status registers, the append sign, a-e; "IND " before an indirect one.
// FIX, SCI, ENG and TONE show 0-9 with one digit.
void append_parameter(std::string& out, std::uint8_t p, bool one_digit, bool ascii) {
  const bool indirect = (p & 0x80) != 0;
  if (indirect) out += "IND ";
  const int v = p & 0x7F;
  one_digit = one_digit && !indirect;
  constexpr std::string_view kLetters = "ABCDEFGHIJTZYXLMNOPQ";
  if (one_digit && v < 10) out.push_back(static_cast<char>('0' + v));
  else if (v < 100) append_two_digits(out, v);
  else if (v < 102) out += std::to_string(v);
  else if (v < 122) out.push_back(kLetters[static_cast<std::size_t>(v - 102)]);
  else if (v == 122) out += ascii ? "|-" : "├";
  else out.push_back(static_cast<char>('a' + (v - 123)));
}

void append_quoted(std::string& out, std::span<const std::uint8_t> chars, bool ascii) {
  out.push_back('"');
  append_quoted_text(out, chars, ascii);
  out.push_back('"');
}

void append_name(std::string& out, const InstructionInfo& info, bool ascii) { out += ascii ? info.ascii : info.name; }

void chain_entry_form(std::string& out, std::span<const std::uint8_t> in, bool ascii) {
  const std::uint8_t third = in[2];
  switch (entry_kind(third)) {
    case EntryKind::label: {
      out += "LBL ";
      const std::size_t n = third & 0x0F;
      append_quoted(out, n > 1 ? in.subspan(4, n - 1) : std::span<const std::uint8_t>{}, ascii);
      break;
    }
    case EntryKind::end: out += "END"; break;
    case EntryKind::dot_end: out += ".END."; break;
    case EntryKind::invalid: break;
  }
}

std::string digits_text(std::span<const std::uint8_t> run) {
  std::string text;
  for (const std::uint8_t b : run) {
    if (b <= 0x19) text.push_back(static_cast<char>('0' + (b - 0x10)));
    else text.push_back(b == 0x1A ? '.' : b == 0x1B ? 'E' : '-');
  }
  return text;
}

// The written form and, where the form does not compile to exactly these
// bytes, the bytes themselves.
// Instructions whose one form is always what the form compiles to: a
// function without a parameter, the short LBL, RCL and STO, a text (the
// instruction cases and the round-trip fuzzing hold these to it).
bool form_is_exact(std::uint8_t first) {
  switch (instruction_info(first).operand) {
    case Operand::none:
    case Operand::short_label:
    case Operand::short_register:
    case Operand::text: return true;
    default: return false;
  }
}

std::string line_text(std::string form, std::span<const std::uint8_t> bytes, const XromNames& xrom,
                      bool with_bytes = false) {
  if (!form.empty() && !with_bytes && form_is_exact(bytes[0])) return form;
  const std::vector<std::uint8_t> actual = without_link(bytes);
  if (!form.empty() && !with_bytes) {
    std::vector<std::uint8_t> compiled;
    std::string error;
    if (compile_instruction(form, xrom, compiled, error) && compiled == actual) return form;
  }
  if (!form.empty()) form += ' ';
  form += ";@";
  for (const std::uint8_t b : actual) {
    form.push_back(' ');
    append_hex_byte(form, b);
  }
  return form;
}

bool has_bytes(const std::string& text) { return text.find(";@") != std::string::npos; }

std::size_t digit_run_length(std::span<const std::uint8_t> program, std::size_t i) {
  std::size_t length = 0;
  while (i + length < program.size() && is_digit_byte(program[i + length])) ++length;
  return length;
}

}  // namespace

bool number_separated_after(std::span<const std::uint8_t> instruction, bool before) {
  if (instruction.empty()) return false;
  const std::uint8_t first = instruction[0];
  if (is_digit_byte(first)) return true;
  if (!before || instruction.size() < 2) return false;
  switch (instruction_info(first).operand) {
    case Operand::indirect_branch: return true;
    case Operand::register_byte:
    case Operand::digit_byte:
    case Operand::flag_byte:
    case Operand::label_byte: return (instruction[1] & 0x80) != 0;
    default: return false;
  }
}

bool closes_program(std::span<const std::uint8_t> instruction) {
  if (instruction.size() != 3 || !starts_chain_entry(instruction[0])) return false;
  const EntryKind kind = entry_kind(instruction[2]);
  return kind == EntryKind::end || kind == EntryKind::dot_end;
}

bool is_dot_end(std::span<const std::uint8_t> instruction) {
  return closes_program(instruction) && entry_kind(instruction[2]) == EntryKind::dot_end;
}

std::vector<std::uint8_t> without_link(std::span<const std::uint8_t> instruction) {
  std::vector<std::uint8_t> bytes(instruction.begin(), instruction.end());
  if (bytes.size() >= 3 && starts_chain_entry(bytes[0])) {
    bytes[0] = 0xC0;
    bytes[1] = 0x00;
  }
  return bytes;
}

std::string standard_form(std::span<const std::uint8_t> in, const XromNames& xrom, bool ascii) {
  const std::uint8_t first = in[0];
  const InstructionInfo& info = instruction_info(first);
  std::string out;
  switch (info.operand) {
    case Operand::null:
    case Operand::spare: return {};
    case Operand::none: append_name(out, info, ascii); break;
    case Operand::digit: return digits_text(in);
    case Operand::short_label:
      out += "LBL ";
      append_two_digits(out, first - 0x01);
      break;
    case Operand::short_register:
      append_name(out, info, ascii);
      out.push_back(' ');
      append_two_digits(out, first & 0x0F);
      break;
    case Operand::alpha_target:
      append_name(out, info, ascii);
      out.push_back(' ');
      append_quoted(out, in.subspan(2), ascii);
      break;
    case Operand::register_byte:
    case Operand::digit_byte:
    case Operand::flag_byte:
    case Operand::label_byte:
      append_name(out, info, ascii);
      out.push_back(' ');
      append_parameter(out, in[1], info.operand == Operand::digit_byte, ascii);
      break;
    case Operand::xrom: {
      const int rom = ((first & 0x07) << 2) | (in[1] >> 6);
      const int function = in[1] & 0x3F;
      const std::string_view name = xrom.name_of(rom, function, ascii);
      if (!name.empty()) {
        out += name;
        if (line_text(out, in, xrom) == out) break;
        out.clear();
      }
      out += "XROM ";
      append_two_digits(out, rom);
      out.push_back(',');
      append_two_digits(out, function);
      break;
    }
    case Operand::indirect_branch:
      out += (in[1] & 0x80) != 0 ? "XEQ " : "GTO ";
      append_parameter(out, static_cast<std::uint8_t>(in[1] | 0x80), false, ascii);
      break;
    case Operand::short_branch:
      out += "GTO ";
      append_two_digits(out, first - 0xB1);
      break;
    case Operand::long_branch:
      append_name(out, info, ascii);
      out.push_back(' ');
      append_parameter(out, static_cast<std::uint8_t>(in[2] & 0x7F), false, ascii);
      break;
    case Operand::chain_entry: chain_entry_form(out, in, ascii); break;
    case Operand::text:
      if (in.size() > 1 && in[1] == 0x7F) {
        out.push_back('>');
        append_quoted(out, in.subspan(2), ascii);
      } else {
        append_quoted(out, in.subspan(1), ascii);
      }
      break;
  }
  return out;
}

ProgramListing list_program(std::span<const std::uint8_t> program, const XromNames& xrom, bool ascii) {
  ProgramListing listing;
  const auto at = [&program](std::size_t i) -> std::uint8_t { return i < program.size() ? program[i] : 0; };
  std::size_t i = 0;
  bool pending = false;       // a number here would be separated by a null
  bool null_implied = false;  // and that null was just passed over
  while (i < program.size()) {
    const std::uint8_t first = program[i];
    if (first == 0x00 && pending && !listing.lines.empty() && is_digit_byte(at(i + 1))) {
      const auto next = program.subspan(i + 1, digit_run_length(program, i + 1));
      if (!has_bytes(line_text(digits_text(next), next, xrom))) {
        ++listing.lines.back().length;
        ++i;
        null_implied = true;
        continue;
      }
    }
    std::size_t length = static_cast<std::size_t>(instruction_length(first, at(i + 1), at(i + 2)));
    if (is_digit_byte(first)) length = digit_run_length(program, i);
    if (i + length > program.size()) break;
    const auto bytes = program.subspan(i, length);
    // A number right after another without the null between them carries
    // its bytes, which keep the compiler from adding one.
    const bool unseparated = is_digit_byte(first) && pending && !null_implied;
    ListedLine line{.offset = i, .length = length,
                    .text = line_text(standard_form(bytes, xrom, ascii), bytes, xrom, unseparated)};
    line.step = line.text.substr(0, 2) != ";@";
    line.global_label = starts_chain_entry(first) && entry_kind(at(i + 2)) == EntryKind::label;
    listing.lines.push_back(std::move(line));
    pending = number_separated_after(bytes, pending);
    null_implied = false;
    i += length;
  }
  listing.whole_bytes = i;
  return listing;
}

void append_listing(std::string& out, const ProgramListing& listing, std::span<const std::uint8_t> program,
                    const ListingStyle& style) {
  int step = 0;
  bool first_line = true;
  for (const ListedLine& line : listing.lines) {
    if (line.global_label && !first_line) out += style.line_end;
    first_line = false;
    if (style.where) {
      out += style.where(line.offset);
      for (std::size_t k = 0; k < line.length; ++k) {
        out.push_back(' ');
        append_hex_byte(out, program[line.offset + k]);
      }
      out += " | ";
    }
    if (line.step) {
      ++step;
      if (step < 10) out.push_back('0');
      out += std::to_string(step);
      out += line.global_label ? (style.ascii ? "*" : "◆") : " ";
    }
    out += line.text;
    out += style.line_end;
  }
}

}  // namespace plomb
