#include "focal/instruction_compiler.h"

#include <algorithm>
#include <array>
#include <optional>

#include "focal/charset.h"
#include "focal/instruction_set.h"
#include "focal/text_pieces.h"

namespace plomb {

namespace {

constexpr std::uint8_t kNumberFirst = 0x10;
constexpr std::uint8_t kIndirect = 0x80;

struct Alias {
  std::string_view name;  // in upper case
  std::uint8_t byte;
};

// Spellings of one-byte functions beside the table's two.
constexpr std::array<Alias, 13> kAliases{{
    {"S+", 0x47},   {"S-", 0x48},   {"CLS", 0x70},    {"√X", 0x52},     {"ENTER", 0x83},
    {"P→R", 0x4E},  {"R→P", 0x4F},  {"D→R", 0x6A},    {"R→D", 0x6B},    {"π", 0x72},
    {"R↓", 0x75},   {"X!=Y?", 0x79}, {"X!=0?", 0x63},
}};

enum class Param { register_byte, digit_byte, flag_byte };

struct ParamFunction {
  std::string_view name;
  std::uint8_t byte;
  Param kind;
};

constexpr std::array<ParamFunction, 2> kExtraParamNames{{
    {"SREG", 0x99, Param::register_byte},
    {"X<>", 0xCE, Param::register_byte},
}};

std::string two_digits(int value) {
  std::string text = std::to_string(value);
  if (text.size() < 2) text.insert(text.begin(), '0');
  return text;
}

std::string quoted(std::string_view word) {
  std::string text(1, '"');
  text.append(word);
  text.push_back('"');
  return text;
}

struct NamedByte {
  std::string_view name;
  std::uint8_t byte;
  constexpr bool operator<(const NamedByte& other) const { return name < other.name; }
};

// Every spelling of the one-byte functions, sorted for binary search: the
// table's two and the aliases, all in upper case already.
constexpr std::size_t kSimpleNames = 2 * (0x8F - 0x40 + 1) + kAliases.size();
constexpr std::array<NamedByte, kSimpleNames> make_simple_names() {
  std::array<NamedByte, kSimpleNames> names{};
  std::size_t n = 0;
  for (int b = 0x40; b <= 0x8F; ++b) {
    const InstructionInfo& info = kInstructionTable[static_cast<std::size_t>(b)];
    names[n++] = {info.name, static_cast<std::uint8_t>(b)};
    names[n++] = {info.ascii, static_cast<std::uint8_t>(b)};
  }
  for (const Alias& alias : kAliases) names[n++] = {alias.name, alias.byte};
  std::sort(names.begin(), names.end());
  return names;
}
constexpr std::array<NamedByte, kSimpleNames> kSimpleNameIndex = make_simple_names();

// `name` must be in upper case.
std::optional<std::uint8_t> simple_function(std::string_view name) {
  const auto it = std::lower_bound(kSimpleNameIndex.begin(), kSimpleNameIndex.end(), NamedByte{name, 0});
  if (it == kSimpleNameIndex.end() || it->name != name) return std::nullopt;
  return it->byte;
}

std::optional<ParamFunction> param_function(std::string_view name) {
  for (int b = 0x90; b <= 0xAD; ++b) {
    if (b >= 0xA0 && b <= 0xA7) continue;
    const InstructionInfo& info = instruction_info(static_cast<std::uint8_t>(b));
    if (info.name == name || info.ascii == name) {
      const Param kind = info.operand == Operand::flag_byte   ? Param::flag_byte
                         : info.operand == Operand::digit_byte ? Param::digit_byte
                                                               : Param::register_byte;
      return ParamFunction{info.ascii, static_cast<std::uint8_t>(b), kind};
    }
  }
  for (const ParamFunction& f : kExtraParamNames) {
    if (f.name == name) return f;
  }
  return std::nullopt;
}

// The letters that name parameters 102-127: A-J, the stack and status
// registers T Z Y X L M N O P Q, the append sign, a-e.
constexpr std::string_view kParamLetters = "ABCDEFGHIJTZYXLMNOPQ";
constexpr int kFirstLetterParam = 102;
constexpr int kAppendSignParam = 122;
constexpr int kFirstLowerParam = 123;

std::optional<int> parameter_value(std::string_view word) {
  if (word.empty()) return std::nullopt;
  if (word.find_first_not_of("0123456789") == std::string_view::npos) {
    if (word.size() > 3) return std::nullopt;
    int value = 0;
    for (const char c : word) value = value * 10 + (c - '0');
    return value <= 0x7F ? std::optional<int>(value) : std::nullopt;
  }
  if (word == "├" || word == "|-" || word == "⊢") return kAppendSignParam;
  if (word.size() != 1) return std::nullopt;
  const auto at = kParamLetters.find(word[0]);
  if (at != std::string_view::npos) return kFirstLetterParam + static_cast<int>(at);
  // The stack and status registers also in small letters (a-e are others).
  const auto upper_at = kParamLetters.find(static_cast<char>(word[0] - 'a' + 'A'));
  if (word[0] >= 'l' && word[0] <= 'z' && upper_at != std::string_view::npos && upper_at >= 10) {
    return kFirstLetterParam + static_cast<int>(upper_at);
  }
  if (word[0] >= 'a' && word[0] <= 'e') return kFirstLowerParam + (word[0] - 'a');
  return std::nullopt;
}

// A parameter byte: "05", "IND 12", "X", "IND Z", "a".
bool parameter_byte(std::string_view rest, std::string_view whole, std::uint8_t& byte, std::string& error) {
  rest = trim_blanks(rest);
  bool indirect = false;
  if (rest.size() > 3 && upper_ascii(rest.substr(0, 3)) == "IND" && (rest[3] == ' ' || rest[3] == '\t')) {
    indirect = true;
    rest = trim_blanks(rest.substr(3));
  }
  if (rest.empty()) {
    error = "missing parameter in " + quoted(whole);
    return false;
  }
  const auto value = parameter_value(rest);
  if (!value) {
    error = "parameter out of range in " + quoted(whole);
    return false;
  }
  byte = static_cast<std::uint8_t>(*value | (indirect ? kIndirect : 0));
  return true;
}

// The bytes of a quoted text starting at text[0] == '"'. `after` is set to
// the position after the closing quote.
bool quoted_bytes(std::string_view text, std::string_view whole, std::vector<std::uint8_t>& out, std::size_t& after,
                  std::string& error) {
  std::size_t i = 1;
  while (i < text.size() && text[i] != '"') {
    std::size_t used = 0;
    const auto byte = read_text_character(text.substr(i), used);
    if (!byte) {
      if (text[i] == '\\') {
        error = "bad escape in " + std::string(whole);
      } else {
        std::size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
        error = "no calculator character for \"" + std::string(text.substr(i, length)) + "\" in " + std::string(whole);
      }
      return false;
    }
    out.push_back(*byte);
    i += used;
  }
  if (i >= text.size()) {
    error = "unclosed quote in " + std::string(whole);
    return false;
  }
  after = i + 1;
  return true;
}

// A text that must be the whole rest of the instruction.
bool whole_quoted(std::string_view rest, std::string_view whole, std::vector<std::uint8_t>& out, std::string& error) {
  std::size_t after = 0;
  if (!quoted_bytes(rest, whole, out, after, error)) return false;
  if (!trim_blanks(rest.substr(after)).empty()) {
    error = "unexpected " + quoted(trim_blanks(rest.substr(after))) + " after the text in " + std::string(whole);
    return false;
  }
  return true;
}

bool text_line(std::string_view text, bool append, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::vector<std::uint8_t> chars;
  if (append) chars.push_back(0x7F);
  const std::string_view quoted_part = text.substr(text.find('"'));
  if (!whole_quoted(quoted_part, text, chars, error)) return false;
  // "|-..." inside the quotes is another way to write the append sign.
  if (!append && chars.size() >= 2 && chars[0] == '|' && chars[1] == '-' && quoted_part.substr(1, 2) == "|-") {
    chars.erase(chars.begin());
    chars[0] = 0x7F;
  }
  if (chars.size() > kMaxTextBytes) {
    error = "text longer than 15 characters: " + std::string(text);
    return false;
  }
  bytes.push_back(static_cast<std::uint8_t>(0xF0 | chars.size()));
  bytes.insert(bytes.end(), chars.begin(), chars.end());
  return true;
}

bool number(std::string_view text, std::vector<std::uint8_t>& bytes) {
  for (const char c : text) {
    if (c >= '0' && c <= '9') bytes.push_back(static_cast<std::uint8_t>(kNumberFirst + (c - '0')));
    else if (c == '.') bytes.push_back(0x1A);
    else if (c == 'E') bytes.push_back(0x1B);
    else if (c == '-') bytes.push_back(0x1C);
  }
  return true;
}

// GTO, XEQ or W followed by a quoted name.
bool alpha_target(std::uint8_t first, std::string_view rest, std::string_view whole, std::vector<std::uint8_t>& bytes,
                  std::string& error) {
  std::vector<std::uint8_t> chars;
  if (!whole_quoted(rest, whole, chars, error)) return false;
  if (chars.size() > kMaxTextBytes) {
    error = "name longer than 15 characters in " + std::string(whole);
    return false;
  }
  bytes = {first, static_cast<std::uint8_t>(0xF0 | chars.size())};
  bytes.insert(bytes.end(), chars.begin(), chars.end());
  return true;
}

bool label(std::string_view rest, std::string_view whole, std::vector<std::uint8_t>& bytes, std::string& error) {
  if (!rest.empty() && rest[0] == '"') {
    std::vector<std::uint8_t> chars;
    if (!whole_quoted(rest, whole, chars, error)) return false;
    if (chars.size() > kMaxLabelBytes) {
      error = "label longer than 14 characters: " + std::string(whole);
      return false;
    }
    bytes = {0xC0, 0x00, static_cast<std::uint8_t>(0xF1 + chars.size()), 0x00};
    bytes.insert(bytes.end(), chars.begin(), chars.end());
    return true;
  }
  std::uint8_t p = 0;
  if (!parameter_byte(rest, whole, p, error)) return false;
  if (p <= 14) bytes = {static_cast<std::uint8_t>(0x01 + p)};
  else bytes = {0xCF, p};
  return true;
}

bool branch(bool execute, std::string_view rest, std::string_view whole, std::vector<std::uint8_t>& bytes,
            std::string& error) {
  if (!rest.empty() && rest[0] == '"') return alpha_target(execute ? 0x1E : 0x1D, rest, whole, bytes, error);
  std::uint8_t p = 0;
  if (!parameter_byte(rest, whole, p, error)) return false;
  if ((p & kIndirect) != 0) {
    bytes = {0xAE, static_cast<std::uint8_t>(execute ? p : (p & 0x7F))};
    return true;
  }
  if (!execute && p <= 14) bytes = {static_cast<std::uint8_t>(0xB1 + p), 0x00};
  else bytes = {static_cast<std::uint8_t>(execute ? 0xE0 : 0xD0), 0x00, p};
  return true;
}

bool xrom_numbers(std::string_view rest, std::string_view whole, std::vector<std::uint8_t>& bytes,
                  std::string& error) {
  const auto comma = rest.find(',');
  const std::string_view rr = trim_blanks(rest.substr(0, comma));
  const std::string_view nn = comma == std::string_view::npos ? std::string_view{} : trim_blanks(rest.substr(comma + 1));
  const auto module = parameter_value(rr);
  const auto function = parameter_value(nn);
  const bool digits = rr.find_first_not_of("0123456789") == std::string_view::npos &&
                      nn.find_first_not_of("0123456789") == std::string_view::npos;
  if (!module || !function || !digits || *module > 31 || *function > 63) {
    error = "module function out of range in " + quoted(whole);
    return false;
  }
  bytes = {static_cast<std::uint8_t>(0xA0 | (*module >> 2)), static_cast<std::uint8_t>(((*module & 3) << 6) | *function)};
  return true;
}

// "X NE Y?" and its kind: the comparisons written with words.
std::string comparison_in_words(std::string_view text) {
  constexpr std::array<std::array<std::string_view, 2>, 5> kWords{
      {{"EQ", "="}, {"NE", "≠"}, {"LT", "<"}, {"GT", ">"}, {"LE", "≤"}}};
  if (text.size() != 7 || (text[0] != 'X' && text[0] != 'x')) return {};
  const std::string u = upper_ascii(text);
  if (u.size() < 7 || u.substr(0, 2) != "X " || (u.substr(4) != " Y?" && u.substr(4) != " 0?")) return {};
  for (const auto& [word, sign] : kWords) {
    if (u.substr(2, 2) != word) continue;
    std::string name(1, 'X');
    name.append(sign);
    name.append(u, 5);
    return name;
  }
  return {};
}

}  // namespace

bool is_number_text(std::string_view text) {
  bool any = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'E' || c == '-')) return false;
    any = true;
  }
  return any && trim_blanks(text) != "-";
}

bool compile_instruction(std::string_view text, const XromNames& xrom, std::vector<std::uint8_t>& bytes,
                         std::string& error) {
  bytes.clear();
  text = trim_blanks(text);
  if (text.empty()) {
    error = "no instruction";
    return false;
  }
  if (text[0] == '"') return text_line(text, false, bytes, error);
  if (text.substr(0, 2) == ">\"") return text_line(text, true, bytes, error);
  if (text.substr(0, 4) == "├\"" || text.substr(0, 4) == "⊢\"") return text_line(text, true, bytes, error);
  if (is_number_text(text)) return number(text, bytes);

  // The name runs to the first blank or quote.
  const std::size_t end_of_name = text.find_first_of(" \t\"");
  const std::string_view name_word = text.substr(0, end_of_name);
  const std::string_view rest = end_of_name == std::string_view::npos ? std::string_view{} : trim_blanks(text.substr(end_of_name));
  const std::string name = upper_ascii(name_word);

  if (rest.empty()) {
    if (const auto b = simple_function(name)) {
      bytes = {*b};
      return true;
    }
    if (name == "END") {
      bytes = {0xC0, 0x00, 0x0D};
      return true;
    }
    if (name == ".END.") {
      bytes = {0xC0, 0x00, 0x2D};
      return true;
    }
  }
  const std::string words = comparison_in_words(text);
  if (!words.empty()) {
    if (const auto b = simple_function(words)) {
      bytes = {*b};
      return true;
    }
  }
  if (name == "LBL") return label(rest, text, bytes, error);
  if (name == "GTO") return branch(false, rest, text, bytes, error);
  if (name == "XEQ") return branch(true, rest, text, bytes, error);
  if (name == "W" && !rest.empty() && rest[0] == '"') return alpha_target(0x1F, rest, text, bytes, error);
  if (name == "XROM") return xrom_numbers(rest, text, bytes, error);
  if (const auto f = param_function(name)) {
    std::uint8_t p = 0;
    if (!parameter_byte(rest, text, p, error)) return false;
    if (f->byte == 0x90 && p <= 15) bytes = {static_cast<std::uint8_t>(0x20 + p)};
    else if (f->byte == 0x91 && p <= 15) bytes = {static_cast<std::uint8_t>(0x30 + p)};
    else bytes = {f->byte, p};
    return true;
  }
  if (rest.empty()) {
    const XromLookup found = xrom.lookup(name_word);
    if (found.conflict) {
      const auto& [a, b] = *found.conflict;
      const auto numbers = [&xrom](const XromName& n) {
        return "XROM " + two_digits(n.rom) + "," + two_digits(n.function) + " in " +
               xrom.file_names()[static_cast<std::size_t>(n.source - 1)];
      };
      error = "module function " + quoted(name_word) + " is " + numbers(a) + " and " + numbers(b);
      return false;
    }
    if (found.found) {
      bytes = {static_cast<std::uint8_t>(0xA0 | (found.rom >> 2)),
               static_cast<std::uint8_t>(((found.rom & 3) << 6) | found.function)};
      return true;
    }
  }
  const bool known = simple_function(name) || name == "END" || name == ".END.";
  error = known ? "unexpected " + quoted(rest) + " after " + std::string(name_word)
                : "unknown instruction " + quoted(name_word);
  return false;
}

}  // namespace plomb
