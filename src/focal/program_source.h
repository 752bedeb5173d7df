// The programs a file holds, for listing: a memory image's programs, found by
// the same checks and the same chain walk as the image listing, or the
// programs of a raw program file.
//
// An image's programs come bottom of memory first, as the chain walk meets
// their ENDs; each runs from its first byte down to its END, the one at the
// bottom down to the .END.. A raw file's bytes are taken up to its last END
// (its zero fill and checksum recognised as the import recognises them) and
// split after each END.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "focal/program_listing.h"
#include "focal/xrom.h"

namespace plomb {

struct SourceProgram {
  std::vector<std::uint8_t> bytes;  // in program order
  int first_address = -1;           // an image's: the byte address of bytes[0]
  std::size_t first_offset = 0;     // a raw file's: the offset of bytes[0]
  ProgramListing listing;
  std::vector<std::vector<std::uint8_t>> labels;  // its global labels' names
};

struct ProgramSource {
  bool is_image = false;
  std::vector<SourceProgram> programs;
  std::string error;  // what stopped the listing short; the programs before it stand
};

// `bytes` are the first bytes of the file (as many as an image or a raw file
// can use) and `length` the file's whole length.
ProgramSource read_program_source(std::span<const std::uint8_t> bytes, std::uint64_t length, const XromNames& xrom,
                                  bool ascii);

// Where a line's first byte lies, for the --bytes column: register.byte in
// an image, the byte offset in a raw file.
std::string where_text(const SourceProgram& program, std::size_t offset);

}  // namespace plomb
