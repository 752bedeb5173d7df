// plomb-focal: programs as FOCAL text.
//
//   plomb-focal list [--bytes] [--ascii] [--xrom FILE]... FILE [LABEL]...
//   plomb-focal compile [--xrom FILE]... LISTING [RAWFILE]
//
// Unlike plomb it keeps the Unix conventions: messages on standard error as
// "plomb-focal: FILE:LINE: what is wrong", exit status 0 on success, 1 on bad
// input, 2 on a usage error, "-" for standard input or output.
#pragma once

#include <span>
#include <string>

namespace plomb {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;

// What a run prints, collected so the caller (or a test) decides where it goes.
struct FocalStreams {
  std::string out;
  std::string err;
};

// Runs the command given by `arguments` (the program's own name left out)
// and returns the exit status.
int run_focal(std::span<const std::string> arguments, FocalStreams& streams);

}  // namespace plomb
