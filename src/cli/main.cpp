#include <unistd.h>

#include "cli/run.h"
#include "platform/console.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  plomb::prepare_process();
  const auto arguments = plomb::process_arguments(argc, argv);
  plomb::Console out(STDOUT_FILENO);
  plomb::run(arguments, out);
  return 0;
}
