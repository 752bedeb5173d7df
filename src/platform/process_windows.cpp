#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/process.h"

namespace plomb {

void prepare_process() {
  // A text-mode console would turn each CR LF into CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
}

std::optional<std::string> whole_command_line() {
  const char* line = GetCommandLineA();
  return std::string(line != nullptr ? line : "");
}

}  // namespace plomb
