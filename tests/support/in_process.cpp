#include "support/in_process.h"

#include "image/summary.h"
#include "program/listing.h"

namespace plomb::testing {

ListingOutcome list(RunState& state, bool save_flag) {
  ListingOutcome outcome;
  Console out(outcome.output);
  derive_fields(state.image);
  outcome.valid = list_programs(state, out, save_flag);
  out.flush();
  return outcome;
}

}  // namespace plomb::testing
