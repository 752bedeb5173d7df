// The process around the tool: its command line and the signals it must not die
// of. The tool always ends with exit status 0, so a failed write must come
// back as an error from the write, not as a signal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plomb {

// Makes writes past a file size limit and writes to a closed pipe fail with
// an error instead of ending the process, and puts the console in binary
// mode where the system has another (so a line ends in exactly CR LF).
void prepare_process();

// The whole command line as one text, where the system hands it over that
// way (Windows); nothing where the arguments arrive already split.
std::optional<std::string> whole_command_line();

// The system's own line end for text files and consoles, which the FOCAL
// listings use (the image tool's output always ends lines with CR LF).
#ifdef _WIN32
inline constexpr std::string_view kTextLineEnd = "\r\n";
#else
inline constexpr std::string_view kTextLineEnd = "\n";
#endif

// While it lives, the console shows UTF-8 output as such (Windows switches
// its console code page and back; elsewhere nothing needs doing).
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  [[maybe_unused]] unsigned previous_code_page_ = 0;
};

}  // namespace plomb
