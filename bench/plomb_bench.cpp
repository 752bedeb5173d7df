// In-process timings of the tool's work on a full image: reading with the
// listing in each mode (the save modes writing into a temporary directory)
// and a whole load.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "cli/run.h"
#include "full_images.h"
#include "platform/console.h"
#include "support/image_builder.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// A temporary directory holding the full image as ZEMF, made the working
// directory for the benchmark's life.
class Workspace {
 public:
  Workspace() : previous_(fs::current_path()) {
    plomb::testing::write_bytes(dir_ / "ZEMF", plomb::testing::file_of(plomb::bench::full_image()));
    plomb::testing::write_bytes(dir_ / "NEW.RAW", plomb::bench::small_raw_file());
    fs::current_path(dir_.path());
  }
  ~Workspace() { fs::current_path(previous_); }

 private:
  plomb::testing::TempDir dir_;
  fs::path previous_;
};

void run_mode(benchmark::State& state, std::vector<std::string> arguments) {
  Workspace workspace;
  std::string output;
  for (auto _ : state) {
    output.clear();
    plomb::Console out(output);
    plomb::run(arguments, out);
    out.flush();
    benchmark::DoNotOptimize(output.data());
  }
  state.counters["output_bytes"] = static_cast<double>(output.size());
}

void BM_List(benchmark::State& state) { run_mode(state, {"?"}); }
void BM_SaveEachProgram(benchmark::State& state) { run_mode(state, {"-"}); }
void BM_SaveAll(benchmark::State& state) { run_mode(state, {"*"}); }
// Loads into a new file each time, so every iteration starts from the same image.
void BM_Load(benchmark::State& state) { run_mode(state, {"NEW", "ZEMF", "OUT"}); }

}  // namespace

BENCHMARK(BM_List);
BENCHMARK(BM_SaveEachProgram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
