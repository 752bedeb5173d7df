#include "cli/arguments.h"

#include "platform/process.h"

namespace plomb {

namespace {

constexpr std::string_view kDefaultImage = "ZEMF";
constexpr std::string_view kDefaultBase = "PRGM";
constexpr std::string_view kRawExtension = ".RAW";

bool is_separator(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

struct ModeChoice {
  std::string_view argument;
  Mode mode;
};

constexpr ModeChoice kModeChoices[] = {
    {"-", Mode::save},
    {"*", Mode::save_all},
    {"?", Mode::list_all},
};

Mode mode_for(std::string_view argument) {
  for (const ModeChoice& choice : kModeChoices) {
    if (argument == choice.argument) return choice.mode;
  }
  return Mode::load;
}

}  // namespace

std::vector<std::string> split_command_line(std::string_view line) {
  // A NUL ends the line, as it ends the text the system hands over.
  line = line.substr(0, line.find('\0'));
  std::vector<std::string> arguments;
  std::size_t pos = 0;
  while (true) {
    while (pos < line.size() && is_separator(line[pos])) ++pos;
    if (line.substr(pos, 2) == "\"\"") {
      pos += 2;
      continue;
    }
    if (pos >= line.size()) break;
    std::string argument;
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
      const char c = line[pos];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && is_separator(c)) {
        break;
      } else {
        argument.push_back(c);
      }
    }
    // Only a lone quote at the very end yields nothing; it is no argument.
    if (!argument.empty()) arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::vector<std::string> arguments_of_process(int argc, char** argv) {
  if (const auto line = whole_command_line()) {
    std::vector<std::string> split = split_command_line(*line);
    if (!split.empty()) split.erase(split.begin());  // the tool's own name
    return split;
  }
  // Already split by the system: skip empty arguments, as the splitting does.
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != nullptr && argv[i][0] != '\0') arguments.emplace_back(argv[i]);
  }
  return arguments;
}

std::string raw_name_for(const std::string& argument) {
  const auto last = argument.find_last_of(".\\:");
  if (last != std::string::npos && argument[last] == '.') return argument;
  return argument + std::string(kRawExtension);
}

std::optional<RunSettings> settings_from_arguments(std::span<const std::string> arguments) {
  const auto argument = [&arguments](std::size_t i) {
    return i < arguments.size() ? arguments[i] : std::string();
  };
  if (argument(0).empty()) return std::nullopt;

  RunSettings settings;
  settings.mode = mode_for(argument(0));
  settings.save_flag = settings.mode == Mode::save || settings.mode == Mode::save_all;
  if (settings.mode == Mode::load) settings.raw_name = raw_name_for(argument(0));
  settings.image_name = argument(1).empty() ? std::string(kDefaultImage) : argument(1);
  settings.output_name = argument(2);
  if (settings.output_name.empty()) {
    settings.output_name = settings.save_flag ? std::string(kDefaultBase) : settings.image_name;
  }
  return settings;
}

}  // namespace plomb
