// Temporary directories, whole-file reads and writes, and running the built
// tool as a separate process, for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plomb::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void write_bytes(const std::filesystem::path& file, const Bytes& bytes);
Bytes read_bytes(const std::filesystem::path& file);
// The names of the files in `directory`, sorted.
std::vector<std::string> file_names(const std::filesystem::path& directory);

// Lines joined with CR LF, each line ended.
std::string crlf(std::initializer_list<std::string> lines);

struct RunOptions {
  long file_size_limit = -1;  // RLIMIT_FSIZE for the child, when not negative
};

struct RunResult {
  std::string output;  // everything the tool wrote on standard output
  int exit_status = -1;
};

// Runs the built tool in `directory` with `arguments` (after its name).
RunResult run_tool(const std::filesystem::path& directory, const std::vector<std::string>& arguments,
                   RunOptions options = {});

// The path of the built tool.
std::string tool_path();

// The title block every run starts with.
std::string title_lines();

}  // namespace plomb::testing
