#include "platform/process.h"

#include <csignal>

namespace plomb {

void prepare_process() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
}

std::optional<std::string> whole_command_line() { return std::nullopt; }

std::vector<std::string> process_arguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != nullptr && argv[i][0] != '\0') arguments.emplace_back(argv[i]);
  }
  return arguments;
}

}  // namespace plomb
