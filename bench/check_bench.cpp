// The streamed check of an assignment against the program of a benchmark
// input, next to writing that program as LP text into memory: both consume
// the same rows on the pipeline's second thread while the generators run.
// Real time and the CPU time of the whole process (both threads) are shown.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "run_setup/program_input.h"
#include "common/byte_sink.h"
#include "ilp/generate_program.h"
#include "input_generator.h"
#include "lp/lp_writer.h"
#include "solver/named_values.h"
#include "solve/streamed_check.h"

namespace paralog {
namespace {

// Counts the bytes the writer hands over and drops them.
class CountingSink : public ByteSink {
 public:
  void write(std::string_view bytes) override { bytes_ += bytes.size(); }
  uint64_t bytes() const { return bytes_; }

 private:
  uint64_t bytes_ = 0;
};

ProgramInput benchmarkGenomes(int64_t genes) {
  return readProgramInput(makeBenchmarkInput(static_cast<uint32_t>(genes), 42), "bench");
}

void quiet(std::string_view) {}

void BM_WriteProgram(benchmark::State& state) {
  const ProgramInput input = benchmarkGenomes(state.range(0));
  uint64_t bytes = 0;
  for (auto _ : state) {
    CountingSink sink;
    LpWriter writer(sink);
    buildProgram(input.firstCompared(), input.secondCompared(), writer, quiet,
                 RowThreads::kSecondThread, LpFile::kWritten);
    bytes = sink.bytes();
  }
  state.counters["LP bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteProgram)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->MeasureProcessCPUTime();

// Values as sparse as a real answer's: every copy of the first genome's
// genes matched with the same copy index of the second, the rest 0. Most
// rows break; they are checked in full all the same.
void BM_CheckProgram(benchmark::State& state) {
  const ProgramInput input = benchmarkGenomes(state.range(0));
  NamedValues values;
  for (const auto& [gene, copies] : input.firstCompared().copies) {
    for (int32_t copy : copies) values.set("z_" + gene + "." + std::to_string(copy) + "." + std::to_string(copy), 1);
  }
  uint64_t breaks = 0;
  for (auto _ : state) {
    StreamedSolutionCheck check(values);
    buildProgram(input.firstCompared(), input.secondCompared(), check, quiet,
                 RowThreads::kSecondThread, LpFile::kNone);
    breaks = check.breakCount();
  }
  state.counters["broken rows"] = static_cast<double>(breaks);
}
BENCHMARK(BM_CheckProgram)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->MeasureProcessCPUTime();

}  // namespace
}  // namespace paralog
