// Running the reader and the listing in-process on an image held in memory.
#pragma once

#include <string>

#include "image/run_state.h"

namespace plomb::testing {

struct ListingOutcome {
  bool valid;
  std::string output;  // the listing, from "PROGRAMS:" to the closing empty line
};

// Derives the fields of `state.image` and lists it (no files are written
// unless the state's mode saves and `save_flag` is set).
ListingOutcome list(RunState& state, bool save_flag = false);

}  // namespace plomb::testing
