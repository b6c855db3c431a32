#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "counting_rows.h"
#include "ilp/generators.h"

namespace paralog {
namespace {

// A structure of `copies` gene copies (three copies per gene name), in
// chromosomes of 25 genes that alternate linear and circular, with signs
// alternating too. `stride` permutes the order of the copies, so that two
// structures built with different strides share their genes but not their
// adjacencies. `copies` must not share a factor with `stride`.
Structure syntheticStructure(int32_t id, int64_t copies, int64_t stride) {
  Structure structure;
  structure.id = id;
  for (int64_t position = 0; position < copies; ++position) {
    if (position % 25 == 0) {
      structure.chromosomes.push_back(Chromosome{structure.chromosomes.size() % 2 == 1, {}});
    }
    const int64_t copy = (position * stride) % copies;
    Gene gene{"g" + std::to_string(copy / 3), static_cast<int32_t>(copy % 3 + 1),
              position % 2 == 0 ? 1 : -1};
    structure.copies[gene.name].push_back(gene.index);
    structure.chromosomes.back().genes.push_back(std::move(gene));
  }
  return structure;
}

void BM_GenerateRVariables(benchmark::State& state) {
  const int64_t copies = state.range(0);
  const Structure first = syntheticStructure(1, copies, 1);
  const Structure second = syntheticStructure(2, copies, 7);
  size_t lines = 0;
  {
    CountingRows task;
    VariablesStorage storage;
    generateRVariables(task, first, second, storage);
    lines = task.rows();
  }
  for (auto _ : state) {
    CountingRows task;
    VariablesStorage storage;
    generateRVariables(task, first, second, storage);
    benchmark::ClobberMemory();
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(lines));
}
BENCHMARK(BM_GenerateRVariables)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paralog
