// The program listing: a walk up the global chain from the .END., one line
// per entry, which is also the tool's check of program memory.
//
//   PROGRAMS:
//     0D8.2 C4010D .END.
//     0D9.3 C2000D END
//     0DA.1 C000F5 LBL "AREA"
//
// In the save modes the walk hands byte ranges to the raw writer through the
// SaveCursor: in "-" mode one range per program, closed at each END; in "*"
// mode all of program memory once the walk is over.
#pragma once

#include <string>

#include "cli/run_state.h"
#include "platform/console.h"

namespace plomb {

struct SaveCursor {
  ByteAddress lo = 0;   // lowest byte of the next range to export
  ByteAddress hi = -1;  // highest byte of the range; -1 when none is set
  std::string label_name;  // the global label listed most recently
  int counter = 1;         // number of the next numbered raw file
};

// Walks the chain of the loaded image, prints the listing, sets the run's
// end tag and drives the raw writer. Returns false when it met an entry that
// is not a chain entry.
bool list_programs(RunState& state, Console& out, bool save_flag);

}  // namespace plomb
