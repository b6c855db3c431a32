// Measures the z and t generators on synthetic structures of a few hundred
// gene copies, where the t family's quadratic and cubic steps dominate.

#include <benchmark/benchmark.h>

#include <string>

#include "genome/genome.h"
#include "counting_rows.h"
#include "ilp/generators.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

// `copies` gene copies over names with two copies each, laid out on
// chromosomes of `perChromosome` genes that alternate linear and circular;
// `shift` rotates the gene order so the two structures differ.
Structure syntheticStructure(int32_t id, size_t copies, size_t perChromosome, size_t shift) {
  Structure structure;
  structure.id = id;
  structure.name = "synthetic" + std::to_string(id);
  const size_t names = (copies + 1) / 2;
  for (size_t c = 0; c < copies; ++c) {
    if (c % perChromosome == 0) {
      structure.chromosomes.emplace_back();
      structure.chromosomes.back().circular = structure.chromosomes.size() % 2 == 0;
    }
    const size_t rotated = (c + shift) % copies;
    Gene gene{"g" + std::to_string(rotated % names), static_cast<int32_t>(rotated / names + 1),
              rotated % 3 == 0 ? -1 : 1};
    structure.copies[gene.name].push_back(gene.index);
    structure.chromosomes.back().genes.push_back(std::move(gene));
  }
  return structure;
}

template <void (*kGenerator)(RowSink&, const Structure&, const Structure&, VariablesStorage&)>
void runGenerator(benchmark::State& state) {
  const size_t copies = static_cast<size_t>(state.range(0));
  const Structure first = syntheticStructure(1, copies, 25, 0);
  const Structure second = syntheticStructure(2, copies, 40, copies / 3);
  size_t lines = 0;
  {
    CountingRows task;
    VariablesStorage storage;
    kGenerator(task, first, second, storage);
    lines = task.rows();
  }
  for (auto _ : state) {
    CountingRows task;
    VariablesStorage storage;
    kGenerator(task, first, second, storage);
    benchmark::ClobberMemory();
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_GenerateZVariables(benchmark::State& state) { runGenerator<generateZVariables>(state); }
void BM_GenerateTVariables(benchmark::State& state) { runGenerator<generateTVariables>(state); }

BENCHMARK(BM_GenerateZVariables)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GenerateTVariables)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paralog
