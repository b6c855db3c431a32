// Micro-benchmarks of the LP model's hot paths: canonicalising constraint
// lines, building variable names and writing declarations.
#include <benchmark/benchmark.h>

#include <string>

#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

void BM_AddConstraintShortLine(benchmark::State& state) {
  IlpTask task;
  const std::string line = "u_1_a.1hb.1t + 3 t_2_a.1ha.1t - u_1_c.2hd.1t <= 3";
  for (auto _ : state) task.addConstraint("Subject To", line);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddConstraintShortLine);

// A T sum line: 2000 terms in walk order ('t' before 'h'), so not sorted.
std::string longLine(int terms) {
  std::string line;
  for (int i = 0; i < terms; ++i) {
    if (i != 0) line += " + ";
    line += "t_2_g" + std::to_string(i / 2) + ".1" + (i % 2 == 0 ? "t" : "h") + "x.1t";
  }
  return line + " <= 1";
}

void BM_AddConstraintLongLine(benchmark::State& state) {
  IlpTask task;
  const std::string line = longLine(static_cast<int>(state.range(0)));
  for (auto _ : state) task.addConstraint("Subject To", line);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_AddConstraintLongLine)->Arg(2000);

void BM_StorageNewPairNames(benchmark::State& state) {
  std::vector<std::string> keys;
  for (int i = 0; i < 1000; ++i) keys.push_back("gene" + std::to_string(i) + ".1t");
  for (auto _ : state) {
    VariablesStorage storage;
    for (size_t i = 0; i < keys.size(); ++i) {
      for (size_t j = i + 1; j < keys.size(); ++j) storage.tVariable(1, keys[i], keys[j]);
    }
    benchmark::DoNotOptimize(storage);
  }
  state.SetItemsProcessed(state.iterations() * 1000 * 999 / 2);
}
BENCHMARK(BM_StorageNewPairNames)->Unit(benchmark::kMillisecond);

void BM_StorageRepeatedName(benchmark::State& state) {
  VariablesStorage storage;
  const Extremity a{"gene17", 2, 'h'};
  const Extremity b{"gene4", 1, 't'};
  for (auto _ : state) benchmark::DoNotOptimize(storage.tVariable(1, a, b));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StorageRepeatedName);

void BM_StorageZNames(benchmark::State& state) {
  VariablesStorage storage;
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(storage.zVariable("gene42", i % 3, i % 5));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StorageZNames);

void BM_WriteDeclarations(benchmark::State& state) {
  VariablesStorage storage;
  for (int i = 0; i < 500000; ++i) storage.tVariable(1, "g" + std::to_string(i) + ".1t", "x.1h");
  IlpTask task;
  for (auto _ : state) {
    std::string out;
    StringSink sink(out);
    storage.writeLp(sink, task);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_WriteDeclarations)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paralog
