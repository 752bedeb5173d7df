// Any text as a command line: split, turned into settings and run.
// Properties: no argument is empty or keeps a double quote; quoting every
// argument and splitting again gives the same arguments; the settings always
// name an image and an output; a run in an empty directory prints the title
// and writes nothing.
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "fuzz_support.h"

namespace {

using plomb::fuzz::require;

std::string quoted_line(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) line += "\"" + argument + "\" ";
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plomb::fuzz::enter_scratch_directory();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> split = plomb::split_command_line(text);
  for (const std::string& argument : split) {
    require(!argument.empty(), "no argument is empty");
    require(argument.find('"') == std::string::npos, "quotes are dropped");
  }
  if (split.empty()) return 0;
  require(plomb::split_command_line(quoted_line(split)) == split, "quoted arguments split back the same");
  const std::vector<std::string> arguments(split.begin() + 1, split.end());

  const auto settings = plomb::settings_from_arguments(arguments);
  require(settings.has_value() == !arguments.empty(), "only a missing first argument gives the usage");
  if (settings) {
    require(!settings->image_name.empty() && !settings->output_name.empty(), "image and output are named");
    require(settings->save_flag == (settings->mode == plomb::Mode::save || settings->mode == plomb::Mode::save_all),
            "save flag follows the mode");
  }

  // Run only with names inside the scratch directory.
  for (const std::string& argument : arguments) {
    if (argument.find('/') != std::string::npos) return 0;
  }
  plomb::fuzz::clear_except({});
  const std::string output = plomb::fuzz::run_tool(arguments);
  plomb::fuzz::require_crlf_lines(output);
  require(output.starts_with("\r\nOrvane Program Manager\r\n"), "every run starts with the title", output);
  require(plomb::fuzz::files_here().empty(), "nothing is written without an image", output);
  return 0;
}
