// Shared pieces of the fuzz targets: a scratch directory the target works in,
// whole-file reads and writes, and the property checks they all make.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plomb::fuzz {

using Bytes = std::vector<std::uint8_t>;

// Creates a scratch directory once per process and makes it the working
// directory, so every file the tool writes lands there.
void enter_scratch_directory();
// Removes every file in the working directory but the ones named.
void clear_except(const std::vector<std::string>& keep);
std::vector<std::string> files_here();

void write_file(const std::string& name, std::span<const std::uint8_t> bytes);
// The file's bytes, or nothing when it does not exist.
bool read_file(const std::string& name, Bytes& bytes);

// Stops the run with a report when a property does not hold.
void require(bool holds, const char* property, const std::string& output = {});

// The output ends at a CR LF line end.
void require_crlf_lines(const std::string& output);

// Runs the tool in-process with the arguments after its name.
std::string run_tool(const std::vector<std::string>& arguments);

}  // namespace plomb::fuzz
