// Measures the value of a matching and its full assignment on genome pairs
// of thousands of gene copies, as a search that scores many matchings sees
// them: one evaluator, called again and again.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "genome/genome.h"
#include "matching/genome_pair_graph.h"
#include "matching/matching_evaluator.h"

namespace paralog {
namespace {

// `copies` copies over names with two copies each, on chromosomes of 50
// genes alternating linear and circular; `shift` rotates the gene order.
Structure genome(int32_t id, size_t copies, size_t shift) {
  Structure structure;
  structure.id = id;
  const size_t names = (copies + 1) / 2;
  for (size_t c = 0; c < copies; ++c) {
    if (c % 50 == 0) structure.chromosomes.push_back(Chromosome{structure.chromosomes.size() % 2 == 1, {}});
    const size_t rotated = (c + shift) % copies;
    Gene gene{"g" + std::to_string(rotated % names), static_cast<int32_t>(rotated / names + 1),
              rotated % 3 == 0 ? -1 : 1};
    structure.copies[gene.name].push_back(gene.index);
    structure.chromosomes.back().genes.push_back(gene);
  }
  return structure;
}

// Every copy matched with the copy of the same index in the other genome,
// except every seventh, left unmatched.
std::vector<CopyPair> matchingOf(const GenomePairGraph& graph) {
  std::vector<CopyPair> matching;
  for (uint32_t c = 0; c < graph.copies(0).size(); ++c) {
    if (c % 7 == 0) continue;
    const GraphCopy& copy = graph.copies(0)[c];
    matching.push_back(CopyPair{c, *graph.findCopy(1, graph.geneNames()[copy.gene], copy.index)});
  }
  return matching;
}

template <bool kAssignment>
void evaluate(benchmark::State& state) {
  const auto copies = static_cast<size_t>(state.range(0));
  const Structure first = genome(1, copies, 0);
  const Structure second = genome(2, copies, copies / 3);
  const GenomePairGraph graph(first, second);
  const std::vector<CopyPair> matching = matchingOf(graph);
  MatchingEvaluator evaluator(graph);
  for (auto _ : state) {
    if (kAssignment) {
      benchmark::DoNotOptimize(evaluator.assignment(matching).objective);
    } else {
      benchmark::DoNotOptimize(evaluator.value(matching));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

BENCHMARK_TEMPLATE(evaluate, false)->Name("MatchingValue")->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_TEMPLATE(evaluate, true)->Name("MatchingAssignment")->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace
}  // namespace paralog
