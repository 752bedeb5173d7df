#include "focal/charset.h"

#include <array>

#include "focal/text_pieces.h"

namespace plomb {

namespace {

struct Sign {
  std::uint8_t byte;
  std::string_view utf8;
};

// The bytes the calculator draws as a sign of their own. Bytes 0x5E, 0x7B and
// 0x7D are also read in their ASCII form ('^', '{', '}'), 0x7E as '~'.
constexpr std::array<Sign, 9> kSigns{{
    {0x0C, "µ"}, {0x0D, "∡"}, {0x1D, "≠"}, {0x5E, "↑"}, {0x7B, "π"}, {0x7D, "→"},
    {0x7E, "Σ"}, {0x7F, "├"},
    // Another spelling, read but never written.
    {0x7F, "⊢"},
}};
constexpr std::size_t kWrittenSigns = 8;

void append_escape(std::string& out, std::uint8_t byte) {
  out += "\\x";
  append_hex_byte(out, byte);
}

}  // namespace

std::string_view calculator_sign(std::uint8_t byte) {
  for (std::size_t i = 0; i < kWrittenSigns; ++i) {
    if (kSigns[i].byte == byte) return kSigns[i].utf8;
  }
  return {};
}

void append_quoted_text(std::string& out, std::span<const std::uint8_t> bytes, bool ascii) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t b = bytes[i];
    const std::string_view sign = ascii ? std::string_view{} : calculator_sign(b);
    if (!sign.empty()) {
      out += sign;
    } else if (b == '"' || b == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(b));
    } else if (b < 0x20 || b > 0x7E || (ascii && b == 0x7E)) {
      append_escape(out, b);
    } else if (i == 0 && b == '|' && bytes.size() > 1 && bytes[1] == '-') {
      append_escape(out, b);  // "|-" at the start would read as the append sign
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
}

std::optional<std::uint8_t> read_text_character(std::string_view text, std::size_t& used) {
  used = 0;
  if (text.empty()) return std::nullopt;
  const char c = text[0];
  if (c == '\\') {
    if (text.size() >= 2 && (text[1] == '"' || text[1] == '\\')) {
      used = 2;
      return static_cast<std::uint8_t>(text[1]);
    }
    const std::size_t digits = text.size() >= 2 && (text[1] == 'x' || text[1] == 'X') ? 2 : 1;
    if (text.size() < digits + 2) return std::nullopt;
    const int high = hex_digit_value(text[digits]);
    const int low = hex_digit_value(text[digits + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    used = digits + 2;
    return static_cast<std::uint8_t>(high * 16 + low);
  }
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7F) {
    used = 1;
    return u;
  }
  for (const Sign& sign : kSigns) {
    if (text.substr(0, sign.utf8.size()) == sign.utf8) {
      used = sign.utf8.size();
      return sign.byte;
    }
  }
  return std::nullopt;
}

}  // namespace plomb
