#include <string>
#include <vector>

#include "cli/focal_command.h"
#include "platform/files.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  plomb::prepare_process();
  const plomb::Utf8Console console;
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  plomb::FocalStreams streams;
  const int status = plomb::run_focal(arguments, streams);
  const bool written = plomb::write_all(1, streams.out);
  plomb::write_all(2, streams.err);
  return written || status != plomb::kExitOk ? status : plomb::kExitBadInput;
}
