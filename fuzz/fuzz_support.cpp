#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/run.h"
#include "platform/console.h"

namespace plomb::fuzz {

namespace fs = std::filesystem;

void enter_scratch_directory() {
  static bool entered = false;
  if (entered) return;
  std::string pattern = (fs::temp_directory_path() / "plomb-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) std::abort();
  entered = true;
}

std::vector<std::string> files_here() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) names.push_back(entry.path().filename().string());
  return names;
}

void clear_except(const std::vector<std::string>& keep) {
  for (const std::string& name : files_here()) {
    bool kept = false;
    for (const std::string& k : keep) kept = kept || k == name;
    if (!kept) fs::remove_all(name);
  }
}

void write_file(const std::string& name, std::span<const std::uint8_t> bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool read_file(const std::string& name, Bytes& bytes) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

void require(bool holds, const char* property, const std::string& output) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n--- output ---\n%s\n", property, output.c_str());
  std::abort();
}

void require_crlf_lines(const std::string& output) {
  // Lines may carry the image's own bytes (a signature, a label), line
  // feeds included, so only the tool's own line ends can be checked.
  require(output.size() >= 2 && output.ends_with("\r\n"), "output ends at a line end", output);
}

std::string run_tool(const std::vector<std::string>& arguments) {
  std::string output;
  {
    Console out(output);
    run(arguments, out);
  }
  return output;
}

}  // namespace plomb::fuzz
