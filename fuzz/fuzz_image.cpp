// Any bytes as a memory image, through the reader, the summary and the
// listing in the list and both save modes. Properties: the image file is
// never changed; the list mode writes nothing; the save modes write no more
// files than they report with "->" lines, each a whole number of 256-byte
// blocks. (A label may itself hold "->" and line ends, so the lines are
// counted, not trusted.)
#include <string>

#include "fuzz_support.h"

namespace {

using plomb::fuzz::Bytes;
using plomb::fuzz::require;

// The names on the "->NAME " lines of an output.
std::vector<std::string> saved_names(const std::string& output) {
  std::vector<std::string> names;
  for (std::size_t at = output.find("\n->"); at != std::string::npos; at = output.find("\n->", at + 1)) {
    const std::size_t end = output.find(" \r\n", at);
    names.push_back(output.substr(at + 3, end - at - 3));
  }
  return names;
}

void check_raw_files(const std::string& output) {
  for (const std::string& name : plomb::fuzz::files_here()) {
    if (name == "ZEMF") continue;
    Bytes raw;
    require(plomb::fuzz::read_file(name, raw), "a written raw file can be read", output);
    require(!raw.empty() && raw.size() % 256 == 0, "raw files are whole blocks", output);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plomb::fuzz::enter_scratch_directory();
  plomb::fuzz::clear_except({});
  const Bytes image(data, data + size);
  plomb::fuzz::write_file("ZEMF", image);

  for (const char* mode : {"?", "-", "*"}) {
    const std::string output = plomb::fuzz::run_tool({mode, "ZEMF"});
    plomb::fuzz::require_crlf_lines(output);
    Bytes after;
    require(plomb::fuzz::read_file("ZEMF", after) && after == image, "the image is never changed", output);
    const std::vector<std::string> names = saved_names(output);
    if (std::string(mode) == "?") {
      require(plomb::fuzz::files_here().size() == 1, "listing writes nothing", output);
    }
    check_raw_files(output);
    require(plomb::fuzz::files_here().size() <= names.size() + 1, "only reported files are written", output);
    plomb::fuzz::clear_except({"ZEMF"});
  }
  return 0;
}
