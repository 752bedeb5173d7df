// The command line: splitting it into arguments and turning the arguments
// into the run's settings.
//
//   plomb PROG [OLD] [NEW]     load PROG(.RAW) into OLD, write NEW
//   plomb - [IMAGE] [BASE]     save each program to BASE.001, ...
//   plomb * [IMAGE] [BASE]     save all of program memory to BASE.RAW
//   plomb ? [IMAGE]            list
//
// IMAGE defaults to "ZEMF"; BASE to "PRGM"; NEW to OLD.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/run_state.h"

namespace plomb {

// Splits a whole command line the way the calculator tools always have:
// arguments are separated by characters 1 to 32 outside double quotes; the
// quotes themselves are dropped; an argument written as an empty pair of
// quotes does not count at all. Element 0 is the program's own name.
std::vector<std::string> split_command_line(std::string_view line);

// The raw file name for a first argument: ".RAW" is appended unless the
// name already ends in an extension (a full stop after the last backslash
// or colon).
std::string raw_name_for(const std::string& argument);

// The arguments after the program's name: split from the whole command line
// where the system hands it over as one text, else as handed over (empty
// arguments skipped).
std::vector<std::string> arguments_of_process(int argc, char** argv);

// The settings for the arguments after the program's name, or nothing when
// there is no first argument.
std::optional<RunSettings> settings_from_arguments(std::span<const std::string> arguments);

}  // namespace plomb
