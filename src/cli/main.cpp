#include "cli/arguments.h"
#include "cli/run.h"
#include "platform/console.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  plomb::prepare_process();
  const auto arguments = plomb::arguments_of_process(argc, argv);
  plomb::Console out(1);  // standard output
  plomb::run(arguments, out);
  return 0;
}
