// Names of plug-in module functions.
//
// A module function is stored as a two-byte XROM instruction carrying a
// module number rr (0-31) and a function number nn (0-63):
//   first byte  0xA0 | rr >> 2
//   second byte (rr & 3) << 6 | nn
// The calculator shows it by name when the module is plugged in and as
// "XROM rr,nn" otherwise. The listing and the compiler use the names of the
// modules most published programs need, built in, plus name tables the user
// loads from text files:
//
//   # comment
//   25 32 RCLFLAG
//   25 56 SREG? ΣREG?      (optional second name, with Unicode characters)
//
// A name from a file wins over a built-in one. Two files that give one name
// different numbers are only an error when a listing uses that name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plomb {

struct XromFunction {
  std::uint8_t rom = 0;       // module number, 0-31
  std::uint8_t function = 0;  // function number, 0-63
  std::string_view name;      // ASCII name, as listings spell it
  std::string_view unicode_name;  // the calculator's own spelling; empty when the same
};

// The built-in tables: X-Functions with the HP-41CX's extra functions, the
// Time module with the HP-41CX's extra functions, the card reader, the
// printer (and the HP-IL printer), the wand, HP-IL mass storage and control
// functions. Other modules' names come from name files.
std::span<const XromFunction> builtin_xrom_functions();

// One loaded name: where it came from, for messages.
struct XromName {
  std::uint8_t rom = 0;
  std::uint8_t function = 0;
  std::string name;
  std::string unicode_name;
  int source = 0;  // 0 built in, 1 + index of the file that gave it
  std::string key;          // `name` in upper case, for look-ups
  std::string unicode_key;  // `unicode_name` in upper case
};

struct XromLookup {
  bool found = false;
  std::uint8_t rom = 0;
  std::uint8_t function = 0;
  // Set when two files give the name different numbers.
  std::optional<std::pair<XromName, XromName>> conflict;
};

class XromNames {
 public:
  // The built-in names only.
  XromNames();

  // Adds the names of one table file. Returns an error message naming the
  // line ("LINE: what is wrong") for a malformed line, or nothing.
  std::optional<std::string> add_file(std::string_view text, std::string_view file_name);

  // The name to list for XROM rr,nn; empty when none is known.
  std::string_view name_of(int rom, int function, bool ascii) const;
  // The numbers of a name, compared without regard to letter case.
  XromLookup lookup(std::string_view name) const;

  const std::vector<std::string>& file_names() const { return file_names_; }

 private:
  std::vector<XromName> names_;  // later entries win
  std::vector<std::string> file_names_;
};

}  // namespace plomb
