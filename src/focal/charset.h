// The calculator's characters in listings.
//
// Text lines, labels and alpha targets hold bytes of the calculator's own
// character set. Its codes 0x20-0x7D are ASCII, except where the calculator
// draws another sign (0x5E is an up arrow, 0x7B pi, 0x7D a right arrow);
// 0x7E is sigma and 0x7F the append sign. A listing writes a byte as its
// sign in UTF-8 where it has one, as ASCII where it is ASCII, and otherwise
// as \xNN; '"' and '\' are escaped. Reading accepts every one of these
// forms, \NN (two hex digits) as older listings write it, and both the
// ASCII and the calculator's sign for the codes that have two.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plomb {

// Appends the written form of `bytes` inside double quotes (without the
// quotes). With `ascii`, only ASCII is written.
void append_quoted_text(std::string& out, std::span<const std::uint8_t> bytes, bool ascii);

// The calculator byte for one character of a quoted text starting at
// `text[0]` (an escape or a UTF-8 sequence); `used` is set to the number of
// characters it takes. Nothing when the character has no calculator code
// or the escape is malformed.
std::optional<std::uint8_t> read_text_character(std::string_view text, std::size_t& used);

// The sign a byte has beside its ASCII form, in UTF-8, or empty.
std::string_view calculator_sign(std::uint8_t byte);

}  // namespace plomb
