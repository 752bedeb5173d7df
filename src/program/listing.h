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

#include <optional>
#include <string>
#include <vector>

#include "image/run_state.h"
#include "platform/console.h"
#include "program/chain_entry.h"

namespace plomb {

// One entry met by the walk up the chain.
struct ChainStep {
  ByteAddress address = 0;  // the entry's first byte
  EntryKind kind = EntryKind::invalid;
  bool is_entry = true;  // false: the byte a link reached begins no entry
};

struct ChainWalk {
  std::vector<ChainStep> steps;  // from the .END. upward
  bool valid = true;             // false: the last step is no sound entry
};

// The entry whose first byte is at `f`, and the one above it in the chain:
// nothing at a zero link or after a step that is not a global label, END or
// .END..
ChainStep chain_step_at(const MemoryImage& image, ByteAddress f);
std::optional<ChainStep> next_chain_step(const MemoryImage& image, const ChainStep& step);

// Walks the chain of `image` from its .END. upward, without printing. The
// walk ends at a zero link or at the first step that is not a global label,
// END or .END..
ChainWalk walk_chain(const MemoryImage& image);

// One program of memory: its first byte (the highest address) down to its
// last, the last byte of its END, or of the .END. at the bottom.
struct ProgramRange {
  ByteAddress first = 0;
  ByteAddress last = 0;
};

// The programs that a sound walk closes by an END or the .END., bottom of
// memory first; the topmost runs from the byte below R00. A program that
// the walk does not close is left out.
std::vector<ProgramRange> program_ranges(const MemoryImage& image, const ChainWalk& walk);

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
