// In-process timings of plomb-focal's work on a memory's worth of code: the
// full bench image's programs listed and their listings compiled, and one
// program of mixed instructions filling all 2240 bytes, listed and compiled.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "focal/listing_compiler.h"
#include "focal/program_listing.h"
#include "focal/program_source.h"
#include "full_images.h"
#include "raw/raw_export.h"
#include "support/image_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A program of every kind of instruction in turn (global labels, numbers,
// text, registers, indirect and flag functions, module functions, branches),
// made exactly kMaxProgramBytes long by its closing END.
Bytes mixed_program() {
  const std::vector<Bytes> kinds = {
      {0xC0, 0x00, 0xF4, 0x00, 'M', 'I', 'X'},  // LBL "MIX"
      {0x11, 0x1A, 0x15, 0x1B, 0x1C, 0x13},     // 1.5E-3
      {0x00, 0x12},                             // a second number: 2
      {0xF5, 'R', 'E', 'S', 'U', 'L'},          // "RESUL"
      {0x25},                                   // RCL 05
      {0x91, 0x94},                             // STO IND 20
      {0x9B, 0x73},                             // ARCL X
      {0xA6, 0x41},                             // XROM 25,01
      {0xAC, 0x19},                             // FS? 25
      {0x03},                                   // LBL 02
      {0xB3, 0x00},                             // GTO 02
      {0xD0, 0x00, 0x66},                       // GTO A
      {0x1E, 0xF3, 'M', 'I', 'X'},              // XEQ "MIX"
      {0x7F, 0x7E, 0x42, 0x61},                 // CLD, AVIEW, *, ABS
  };
  const Bytes end{0xC0, 0x00, 0x0D};
  Bytes program;
  for (std::size_t i = 0;; ++i) {
    const Bytes& next = kinds[i % kinds.size()];
    if (program.size() + next.size() + end.size() > plomb::kMaxProgramBytes) break;
    program.insert(program.end(), next.begin(), next.end());
  }
  while (program.size() + end.size() < plomb::kMaxProgramBytes) program.push_back(0x40);  // +
  program.insert(program.end(), end.begin(), end.end());
  return program;
}

struct Listed {
  std::vector<std::string> listings;  // one per program
  std::size_t program_bytes = 0;
};

// The listing of every program of `file`, as plomb-focal prints it.
Listed list_all(const Bytes& file, const plomb::XromNames& xrom) {
  Listed listed;
  const plomb::ProgramSource source = plomb::read_program_source(file, file.size(), xrom, false);
  for (const plomb::SourceProgram& program : source.programs) {
    std::string text;
    plomb::append_listing(text, program.listing, program.bytes, {});
    listed.listings.push_back(std::move(text));
    listed.program_bytes += program.bytes.size();
  }
  return listed;
}

void list_benchmark(benchmark::State& state, const Bytes& file) {
  const plomb::XromNames xrom;
  Listed listed;
  for (auto _ : state) {
    listed = list_all(file, xrom);
    benchmark::DoNotOptimize(listed.listings.data());
  }
  state.counters["programs"] = static_cast<double>(listed.listings.size());
  state.counters["program_bytes"] = static_cast<double>(listed.program_bytes);
}

void compile_benchmark(benchmark::State& state, const Bytes& file) {
  const plomb::XromNames xrom;
  const Listed listed = list_all(file, xrom);
  std::size_t compiled_bytes = 0;
  for (auto _ : state) {
    compiled_bytes = 0;
    for (const std::string& text : listed.listings) {
      const plomb::CompileResult result = plomb::compile_listing(text, xrom);
      if (!result.ok) state.SkipWithError(("a listing does not compile: " + result.error).c_str());
      compiled_bytes += result.program.size();
    }
    benchmark::DoNotOptimize(compiled_bytes);
  }
  state.counters["program_bytes"] = static_cast<double>(compiled_bytes);
}

Bytes full_image_file() { return plomb::testing::file_of(plomb::bench::full_image()); }

void BM_FocalList(benchmark::State& state) { list_benchmark(state, full_image_file()); }
void BM_FocalCompile(benchmark::State& state) { compile_benchmark(state, full_image_file()); }
// The mixed program as a raw file.
void BM_FocalListMixed(benchmark::State& state) { list_benchmark(state, plomb::raw_file_contents(mixed_program())); }
void BM_FocalCompileMixed(benchmark::State& state) {
  compile_benchmark(state, plomb::raw_file_contents(mixed_program()));
}

}  // namespace

BENCHMARK(BM_FocalList)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FocalCompile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FocalListMixed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FocalCompileMixed)->Unit(benchmark::kMicrosecond);
