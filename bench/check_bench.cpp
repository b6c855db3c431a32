// The streamed check of an assignment against the program of a benchmark
// input, next to writing that program as LP text into memory: both consume
// the same rows on the pipeline's second thread while the generators run.
// Real time and the CPU time of the whole process (both threads) are shown.
// Then the check of a matching's answer in aggregate (what a solve runs)
// against the same answer checked row by row, on simulated pairs: linear
// chromosomes, and one circular chromosome, whose rows made the
// row-by-row check cubic.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "compact/compact_solve.h"
#include "matching/assignment_names.h"
#include "matching/genome_pair_graph.h"
#include "matching/matching_evaluator.h"
#include "run_setup/program_input.h"
#include "simulated_pair.h"
#include "solve/assignment_check.h"
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

// A simulated pair (10% of families duplicated, one inversion per 20
// families) and the assignment of its heuristic matching.
struct CheckedPair {
  ProgramInput input;
  GenomePairGraph graph;
  MatchingAssignment assignment;

  CheckedPair(int64_t families, bool circular)
      : input(readProgramInput(simulatePair(simulation(families, circular)), "bench")),
        graph(input.firstCompared(), input.secondCompared()) {
    std::vector<CopyPair> matching;
    for (const auto& pair : compact::heuristicPairs(input.firstCompared(), input.secondCompared(), false)) {
      matching.push_back({*graph.findCopy(0, pair.gene, pair.firstIndex), *graph.findCopy(1, pair.gene, pair.secondIndex)});
    }
    assignment = MatchingEvaluator(graph).assignment(matching);
  }

  static PairSimulation simulation(int64_t families, bool circular) {
    PairSimulation simulation;
    simulation.families = static_cast<uint32_t>(families);
    simulation.duplicated = 0.1;
    simulation.inversions = static_cast<uint32_t>(families / 20);
    simulation.lostCopies = static_cast<uint32_t>(families / 50);
    simulation.circular = circular;
    return simulation;
  }
};

void BM_CheckAssignmentInAggregate(benchmark::State& state) {
  const CheckedPair pair(state.range(0), state.range(1) != 0);
  for (auto _ : state) {
    const AssignmentVerdict verdict = checkAssignment(pair.graph, pair.assignment, false);
    if (!verdict.holds()) state.SkipWithError("the heuristic's answer breaks the program");
    benchmark::DoNotOptimize(verdict.objective);
  }
}
BENCHMARK(BM_CheckAssignmentInAggregate)
    ->Args({1000, 1})->Args({4000, 1})->Args({5000, 0})->Args({10000, 0})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_CheckAssignmentRowByRow(benchmark::State& state) {
  const CheckedPair pair(state.range(0), state.range(1) != 0);
  NamedValues values;
  forEachNonZeroVariable(pair.graph, pair.assignment,
                         [&values](std::string_view name, int64_t value) { values.set(name, static_cast<double>(value)); });
  for (auto _ : state) {
    requireValidAssignment(pair.input.firstCompared(), pair.input.secondCompared(), values, "bench", quiet,
                           nullptr, LpFile::kNone);
  }
}
BENCHMARK(BM_CheckAssignmentRowByRow)
    ->Args({250, 1})->Args({500, 1})->Args({500, 0})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(1);

}  // namespace
}  // namespace paralog
