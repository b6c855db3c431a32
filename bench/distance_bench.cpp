// Measures the report of a matching, with the DCJ distance of the matched
// genes, on genome pairs of thousands of single-copy genes in unrelated
// orders, where every pair is matched: it must stay linear, as it runs
// after every solve of genomes of 10,000 genes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "genome/genome.h"
#include "report/dcj_distance.h"
#include "report/matching_report.h"

namespace paralog {
namespace {

// `genes` genes g0, g1, ... in a random order and random signs, on
// chromosomes of 100 genes alternating linear and circular.
Structure shuffledGenome(int32_t id, size_t genes, std::mt19937& random) {
  std::vector<size_t> order(genes);
  for (size_t g = 0; g < genes; ++g) order[g] = g;
  std::shuffle(order.begin(), order.end(), random);
  Structure structure;
  structure.id = id;
  for (size_t at = 0; at < genes; ++at) {
    if (at % 100 == 0) structure.chromosomes.push_back(Chromosome{structure.chromosomes.size() % 2 == 1, {}});
    Gene gene{"g" + std::to_string(order[at]), 1, random() % 2 == 0 ? 1 : -1};
    structure.copies[gene.name].push_back(1);
    structure.chromosomes.back().genes.push_back(gene);
  }
  return structure;
}

template <bool kWholeReport>
void report(benchmark::State& state) {
  const auto genes = static_cast<size_t>(state.range(0));
  std::mt19937 random(42);
  const Structure first = shuffledGenome(1, genes, random);
  const Structure second = shuffledGenome(2, genes, random);
  std::vector<MatchedCopyPair> pairs;
  for (size_t g = 0; g < genes; ++g) pairs.push_back({"g" + std::to_string(g), 1, 1});
  for (auto _ : state) {
    if (kWholeReport) {
      benchmark::DoNotOptimize(reportPairs(first, second, pairs, 0).matchedDistance);
    } else {
      benchmark::DoNotOptimize(matchedDcjDistance(first, second, pairs));
    }
  }
  state.SetComplexityN(static_cast<int64_t>(genes));
}

BENCHMARK_TEMPLATE(report, false)->Name("MatchedDcjDistance")->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK_TEMPLATE(report, true)->Name("MatchingReportWithDistance")->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

}  // namespace
}  // namespace paralog
