// Small pieces of text handling that the listing writer, the compiler and
// the module name tables share: letter case, blanks, words, hex digits.
// Listings are UTF-8; only ASCII letters change case, and a blank is a
// space, a tab or a stray carriage return.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plomb {

inline bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// `text` with its ASCII letters in upper case.
inline std::string upper_ascii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

inline std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

inline std::vector<std::string_view> words_of(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && is_blank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !is_blank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// The value of a hex digit in either case, or -1.
inline int hex_digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two uppercase hex digits.
inline void append_hex_byte(std::string& out, std::uint8_t b) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  out.push_back(kHexDigits[b >> 4]);
  out.push_back(kHexDigits[b & 0x0F]);
}

}  // namespace plomb
