#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "counting_rows.h"
#include "ilp/generators.h"

namespace paralog {
namespace {

// A pair of structures over the same genes, each gene in two copies:
// `copies` gene copies per structure, split into linear chromosomes of 40
// and one circular chromosome, the second a scrambled and partly reversed
// arrangement of the first.
struct StructurePair {
  Structure first;
  Structure second;
};

Structure arrange(int32_t id, const std::vector<Gene>& genes) {
  Structure s;
  s.id = id;
  const size_t circularSize = genes.size() / 5;
  size_t at = 0;
  while (at < genes.size() - circularSize) {
    Chromosome c;
    for (size_t n = 0; n < 40 && at < genes.size() - circularSize; ++n) c.genes.push_back(genes[at++]);
    s.chromosomes.push_back(std::move(c));
  }
  Chromosome ring;
  ring.circular = true;
  while (at < genes.size()) ring.genes.push_back(genes[at++]);
  s.chromosomes.push_back(std::move(ring));
  for (const Chromosome& c : s.chromosomes) {
    for (const Gene& g : c.genes) s.copies[g.name].push_back(g.index);
  }
  return s;
}

StructurePair makePair(size_t copies) {
  std::vector<Gene> genes;
  for (size_t i = 0; i < copies; ++i) {
    genes.push_back(Gene{"g" + std::to_string(i / 2), static_cast<int32_t>(i % 2 + 1), 1});
  }
  std::vector<Gene> scrambled = genes;
  uint32_t state = 12345;
  for (size_t i = scrambled.size(); i > 1; --i) {
    state = state * 1103515245u + 12345u;
    std::swap(scrambled[i - 1], scrambled[(state >> 8) % i]);
    if ((state >> 4) % 3 == 0) scrambled[i - 1].sign = -1;
  }
  return StructurePair{arrange(1, genes), arrange(2, scrambled)};
}

void BM_GenerateUVariables(benchmark::State& state) {
  const StructurePair pair = makePair(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    CountingRows task;
    VariablesStorage storage;
    generateUVariables(task, pair.first, pair.second, storage);
    benchmark::DoNotOptimize(task);
  }
}
BENCHMARK(BM_GenerateUVariables)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_GeneratePVariables(benchmark::State& state) {
  const StructurePair pair = makePair(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    CountingRows task;
    VariablesStorage storage;
    generatePVariables(task, pair.first, pair.second, storage);
    benchmark::DoNotOptimize(task);
  }
}
BENCHMARK(BM_GeneratePVariables)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace paralog
