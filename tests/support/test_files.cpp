#include "support/test_files.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cli/run.h"

namespace plomb::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "plomb-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Restore write permission so read-only fixtures can be removed.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void write_bytes(const fs::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

Bytes read_bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> file_names(const fs::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string crlf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string tool_path() { return PLOMB_TOOL_PATH; }

std::string title_lines() { return crlf({"", std::string(kTitle), std::string(kNotice), ""}); }

RunResult run_tool(const fs::path& directory, const std::vector<std::string>& arguments, RunOptions options) {
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) throw std::runtime_error("pipe failed");
  const std::string tool = tool_path();
  std::vector<char*> argv{const_cast<char*>(tool.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipe_fds[1], STDOUT_FILENO);
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    if (options.file_size_limit >= 0) {
      const rlim_t limit = static_cast<rlim_t>(options.file_size_limit);
      const struct rlimit rl{limit, limit};
      ::setrlimit(RLIMIT_FSIZE, &rl);
    }
    ::execv(tool.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipe_fds[1]);
  RunResult result;
  char buffer[4096];
  ssize_t got;
  while ((got = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, static_cast<std::size_t>(got));
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace plomb::testing
