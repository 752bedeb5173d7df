// One run of the tool, from the title lines to the last listing line.
#pragma once

#include <span>
#include <string>

#include "platform/console.h"

namespace plomb {

inline constexpr std::string_view kTitle = "Orvane Program Manager";
inline constexpr std::string_view kNotice = "VERSION 1.0 - FREE SOFTWARE, PROVIDED AS IS, WITHOUT WARRANTY";

// Runs the tool for the arguments after the program's name. Every outcome,
// failures included, is reported on `out`; there is no error status.
void run(std::span<const std::string> arguments, Console& out);

}  // namespace plomb
