// The console: every line the tool prints passes through one Console.
//
// Output is collected in a buffer and handed to the operating system in a few
// large writes. A piece of text that leaves its line open is flushed at once,
// so the user sees it before the tool goes on to slower work. Every line ends
// with CR LF, the calculator world's line end, on every platform.
#pragma once

#include <string>
#include <string_view>

namespace plomb {

class Console {
 public:
  // Writes to an open file descriptor (standard output in the tool).
  explicit Console(int fd);
  // Collects everything in `capture`; used by in-process tests.
  explicit Console(std::string& capture);
  ~Console();

  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Prints `text` and ends the line with CR LF.
  void line(std::string_view text = {});
  // Prints `text` and leaves the line open; the text is flushed at once.
  void open_text(std::string_view text);
  // Hands everything buffered to the sink.
  void flush();

 private:
  int fd_ = -1;
  std::string* capture_ = nullptr;
  std::string buffer_;
};

}  // namespace plomb
