#include "platform/console.h"

#include "platform/files.h"

namespace plomb {

namespace {
// A longer output is flushed in pieces.
constexpr std::size_t kFlushThreshold = 64 * 1024;
// Room for the listing of a full image, taken once: a buffer that doubled its
// way up would touch about twice the memory, and on a run this short every
// fresh page of memory costs more than the work on it.
constexpr std::size_t kInitialCapacity = 16 * 1024;
}  // namespace

Console::Console(int fd) : fd_(fd) { buffer_.reserve(kInitialCapacity); }

Console::Console(std::string& capture) : capture_(&capture) {}

Console::~Console() { flush(); }

void Console::line(std::string_view text) {
  buffer_.append(text);
  buffer_.append("\r\n");
  if (buffer_.size() >= kFlushThreshold) flush();
}

void Console::open_text(std::string_view text) {
  buffer_.append(text);
  flush();
}

void Console::flush() {
  if (buffer_.empty()) return;
  if (capture_ != nullptr) {
    capture_->append(buffer_);
  } else {
    // A console that has gone away (a closed pipe) is not an error the
    // tool can report anywhere; the run goes on and ends normally.
    (void)write_all(fd_, buffer_);
  }
  buffer_.clear();
}

}  // namespace plomb
