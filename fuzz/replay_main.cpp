// Runs a fuzz target over every file in the directories named on the
// command line, without libFuzzer: the normal test suite replays the seed
// corpora and every input that ever found a fault this way.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!fs::exists(argv[i])) continue;
    for (const auto& entry : fs::directory_iterator(fs::absolute(argv[i]))) inputs.push_back(entry.path());
  }
  for (const fs::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu passed, 0 failed\n", inputs.size());
  return 0;
}
