// Micro-benchmarks of the LP model's hot paths: canonical rows, building
// variable names and writing declarations.
#include <benchmark/benchmark.h>

#include <string>

#include "lp/lp_writer.h"
#include "lp/row.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

// A T sum row: 2000 t names in name order, as the generator makes them.
TermList longRow(std::vector<std::string>& names, int terms) {
  for (int i = 0; i < terms; ++i) names.push_back("t_2_g" + std::to_string(100000 + i) + ".1tx.1t");
  TermList row;
  for (const std::string& name : names) row.push_back(Term{name, 1});
  return row;
}

void BM_CanonicalRenderLongRow(benchmark::State& state) {
  std::vector<std::string> names;
  const TermList row = longRow(names, static_cast<int>(state.range(0)));
  TermList scratch;
  std::string line;
  for (auto _ : state) {
    scratch = row;
    makeCanonical(scratch);
    line.clear();
    renderRow(scratch, Relation::kLessEqual, 1, line);
    benchmark::DoNotOptimize(line);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_CanonicalRenderLongRow)->Arg(2000);

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
  for (auto _ : state) {
    std::string out;
    StringSink sink(out);
    LpWriter writer(sink);
    storage.declareAll(writer);
    writer.end();
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_WriteDeclarations)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paralog
