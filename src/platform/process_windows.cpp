#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/process.h"

namespace plomb {

void prepare_process() {
  // A text-mode console would turn each CR LF into CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

Utf8Console::Utf8Console() : previous_code_page_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }

Utf8Console::~Utf8Console() {
  if (previous_code_page_ != 0) SetConsoleOutputCP(previous_code_page_);
}

std::optional<std::string> whole_command_line() {
  const char* line = GetCommandLineA();
  return std::string(line != nullptr ? line : "");
}

}  // namespace plomb
