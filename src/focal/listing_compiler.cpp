#include "focal/listing_compiler.h"

#include <algorithm>
#include <optional>

#include "focal/instruction_compiler.h"
#include "focal/instruction_set.h"
#include "focal/program_listing.h"
#include "focal/text_pieces.h"

namespace plomb {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kGlobalMarks[] = {"*", "◆", "♦"};
constexpr std::uint8_t kEnd[] = {0xC0, 0x00, 0x0D};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Two hex digits, or nothing.
std::optional<std::uint8_t> hex_byte(std::string_view word) {
  if (word.size() != 2 || hex_digit_value(word[0]) < 0 || hex_digit_value(word[1]) < 0) return std::nullopt;
  return static_cast<std::uint8_t>(hex_digit_value(word[0]) * 16 + hex_digit_value(word[1]));
}

// Where the comment of a line begins: ';' outside quotes, or '#' outside
// quotes at the start of a word ("X#Y?" is a name).
std::size_t comment_start(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\') ++i;
      else if (c == '"') quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ';' || (c == '#' && (i == 0 || is_blank(line[i - 1])))) {
      return i;
    }
  }
  return std::string_view::npos;
}

// The bytes of a ";@ HH HH ..." comment, or nothing for any other comment.
std::optional<std::vector<std::uint8_t>> given_bytes(std::string_view comment) {
  if (comment.size() < 2 || comment.substr(0, 2) != ";@") return std::nullopt;
  const auto words = words_of(comment.substr(2));
  if (words.empty()) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (const std::string_view word : words) {
    const auto b = hex_byte(word);
    if (!b) return std::nullopt;
    bytes.push_back(*b);
  }
  return bytes;
}

// Drops the "ADDRESS HH HH ... |" that the listing's --bytes option writes.
std::string_view without_bytes_column(std::string_view line) {
  if (line.find('|') == std::string_view::npos) return line;
  const auto words = words_of(line);
  if (words.size() < 2) return line;
  const std::string_view where = words[0];
  const bool address = where.size() == 5 && where[3] == '.' && hex_digit_value(where[0]) >= 0 && hex_digit_value(where[1]) >= 0 &&
                       hex_digit_value(where[2]) >= 0 && is_digit(where[4]);
  const bool offset = where.find_first_not_of("0123456789") == std::string_view::npos;
  if (!address && !offset) return line;
  std::size_t k = 1;
  while (k < words.size() && hex_byte(words[k])) ++k;
  if (k < 2 || k >= words.size() || words[k] != "|") return line;
  return line.substr(static_cast<std::size_t>(words[k].data() - line.data()) + 1);
}

// Drops a step number and a global-label mark.
std::string_view without_step_number(std::string_view line) {
  line = trim_blanks(line);
  std::size_t i = 0;
  while (i < line.size() && is_digit(line[i])) ++i;
  if (i > 0 && i < line.size()) {
    std::string_view rest = line.substr(i);
    bool mark = false;
    for (const std::string_view m : kGlobalMarks) {
      if (rest.substr(0, m.size()) == m) {
        rest = rest.substr(m.size());
        mark = true;
        break;
      }
    }
    if (mark || is_blank(rest[0])) line = trim_blanks(rest);
  }
  for (const std::string_view m : kGlobalMarks) {
    const std::string_view after = trim_blanks(line.substr(std::min(line.size(), m.size())));
    if (line.substr(0, m.size()) == m && after.size() >= 3 &&
        (after.substr(0, 3) == "LBL" || after.substr(0, 3) == "lbl")) {
      return after;
    }
  }
  return line;
}

bool whole_instruction(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return false;
  const auto at = [&bytes](std::size_t i) -> std::uint8_t { return i < bytes.size() ? bytes[i] : 0; };
  const std::uint8_t first = bytes[0];
  if (is_digit_byte(first)) return std::all_of(bytes.begin(), bytes.end(), is_digit_byte);
  return static_cast<std::size_t>(instruction_length(first, at(1), at(2))) == bytes.size();
}

bool is_number(const std::vector<std::uint8_t>& bytes) { return !bytes.empty() && is_digit_byte(bytes[0]); }

std::string hex_text(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    if (!text.empty()) text.push_back(' ');
    append_hex_byte(text, b);
  }
  return text;
}

// The bytes of one line's instruction; false with `error` set when the line
// is wrong; true with no bytes for a line without an instruction.
bool line_bytes(std::string_view line, const XromNames& xrom, std::vector<std::uint8_t>& bytes, bool& exact,
                std::string& error) {
  bytes.clear();
  exact = false;
  const std::size_t comment = comment_start(line);
  const std::string_view code_part = line.substr(0, comment);
  const auto given = comment == std::string_view::npos ? std::nullopt : given_bytes(line.substr(comment));
  const bool numbered = !trim_blanks(code_part).empty() && is_digit(trim_blanks(code_part)[0]);
  const std::string_view code = without_step_number(without_bytes_column(code_part));

  if (!code.empty() && !compile_instruction(code, xrom, bytes, error)) {
    const bool word_error = error.starts_with("unknown") || error.starts_with("unexpected");
    if (!numbered && words_of(code).size() > 2 && word_error) {
      error += "; a line of description must begin with \";\" or \"#\"";
    }
    return false;
  }
  if (!given) return true;
  std::vector<std::uint8_t> given_exact = without_link(*given);
  if (!whole_instruction(given_exact)) {
    error = "the bytes " + hex_text(given_exact) + " are not one whole instruction";
    return false;
  }
  if (!code.empty()) {
    // The bytes must be a form of the instruction the line names.
    std::vector<std::uint8_t> named;
    std::string ignored;
    const std::string form = standard_form(given_exact, xrom, false);
    if (form.empty() || !compile_instruction(form, xrom, named, ignored) || named != bytes) {
      error = "the bytes " + hex_text(given_exact) + " are not " + std::string(code);
      return false;
    }
  }
  bytes = std::move(given_exact);
  exact = true;
  return true;
}

}  // namespace

CompileResult compile_listing(std::string_view text, const XromNames& xrom) {
  CompileResult result;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  bool pending = false;  // a number here is separated by a null
  bool closed = false;
  bool exact = false;
  int dot_end_line = 0;  // the line of a .END. just compiled
  std::vector<std::uint8_t> bytes;
  int line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line_bytes(line, xrom, bytes, exact, result.error)) {
      result.error_line = line_number;
      return result;
    }
    if (bytes.empty()) continue;
    if (pending && is_number(bytes) && !exact) result.program.push_back(0x00);
    result.program.insert(result.program.end(), bytes.begin(), bytes.end());
    pending = number_separated_after(bytes, pending);
    closed = closes_program(bytes);
    if (dot_end_line > 0) result.inner_dot_end_lines.push_back(dot_end_line);
    dot_end_line = is_dot_end(bytes) ? line_number : 0;
  }
  if (result.program.empty()) {
    result.error = "no instructions";
    return result;
  }
  if (!closed) result.program.insert(result.program.end(), std::begin(kEnd), std::end(kEnd));
  if (result.program.size() > kMaxProgramBytes) {
    result.error = "the program takes " + std::to_string(result.program.size()) + " bytes, more than the calculator's " +
                   std::to_string(kMaxProgramBytes);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace plomb
