// The process around the tool: its command line and the signals it must not die
// of. The tool always ends with exit status 0, so a failed write must come
// back as an error from the write, not as a signal.
#pragma once

#include <optional>
#include <string>

namespace plomb {

// Makes writes past a file size limit and writes to a closed pipe fail with
// an error instead of ending the process, and puts the console in binary
// mode where the system has another (so a line ends in exactly CR LF).
void prepare_process();

// The whole command line as one text, where the system hands it over that
// way (Windows); nothing where the arguments arrive already split.
std::optional<std::string> whole_command_line();

}  // namespace plomb
