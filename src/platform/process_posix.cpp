#include "platform/process.h"

#include <csignal>

namespace plomb {

void prepare_process() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
}

std::optional<std::string> whole_command_line() { return std::nullopt; }

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace plomb
