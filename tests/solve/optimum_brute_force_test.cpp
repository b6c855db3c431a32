// Both models' optima against a brute force over every matching: on random
// small genome pairs (linear and circular chromosomes, genes of up to three
// copies, genomes in parts that no gene crosses, with and without
// --match-all) the compact solve and the solve of the whole program must
// both be proven optimal at the best value the matching evaluator gives any
// matching. A false "optimal" of either model fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "compact/compact_solve.h"
#include "ilp/generate_program.h"
#include "matching/matching_evaluator.h"
#include "model/linear_program_builder.h"
#include "solve/embedded_cbc.h"
#include "support/every_matching.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using Random = std::mt19937_64;

uint32_t below(Random& random, uint32_t bound) { return static_cast<uint32_t>(random() % bound); }

// The genes of `copies` (copies[k] copies of gene <prefix>k), shuffled and
// cut into chromosomes of random kinds, appended to `chromosomes`.
void addPart(Random& random, const std::string& prefix, const std::vector<uint32_t>& copies,
             std::vector<Chromosome>& chromosomes) {
  std::vector<Gene> genes;
  for (size_t k = 0; k < copies.size(); ++k) {
    for (uint32_t c = 1; c <= copies[k]; ++c) {
      genes.push_back(Gene{prefix + std::to_string(k), static_cast<int32_t>(c), below(random, 2) ? 1 : -1});
    }
  }
  std::shuffle(genes.begin(), genes.end(), random);
  for (size_t at = 0; at < genes.size();) {
    const size_t length = 1 + below(random, static_cast<uint32_t>(genes.size() - at));
    chromosomes.push_back(Chromosome{below(random, 2) == 0, {}});
    for (size_t i = 0; i < length; ++i) chromosomes.back().genes.push_back(genes[at++]);
  }
}

// A random pair of one to three parts, each of one or two genes of one to
// three copies a genome, at most five copies a genome in all.
std::pair<Structure, Structure> randomPair(Random& random) {
  std::vector<Chromosome> chromosomes[2];
  const uint32_t parts = 1 + below(random, 3);
  uint32_t budget[2] = {5, 5};
  for (uint32_t part = 0; part < parts; ++part) {
    const uint32_t genes = 1 + below(random, 2);
    std::vector<uint32_t> copies[2];
    for (int k = 0; k < 2; ++k) {
      for (uint32_t g = 0; g < genes && budget[k] > 0; ++g) {
        const uint32_t count = std::min(budget[k], 1 + below(random, 3));
        copies[k].push_back(count);
        budget[k] -= count;
      }
    }
    const size_t shared = std::min(copies[0].size(), copies[1].size());
    if (shared == 0) break;
    for (int k = 0; k < 2; ++k) {
      copies[k].resize(shared);
      addPart(random, "p" + std::to_string(part) + "g", copies[k], chromosomes[k]);
    }
  }
  return {testutil::structure(1, chromosomes[0]), testutil::structure(2, chromosomes[1])};
}

// The whole program's optimum as the embedded CBC proves it.
double wholeProgramOptimum(const Structure& first, const Structure& second, bool matchAll) {
  LinearProgram program;
  LinearProgramBuilder builder(program);
  buildProgram(first, second, builder, [](std::string_view) {}, RowThreads::kCallingThread, LpFile::kNone,
               ProgramOptions{matchAll});
  const SolveResult result = solveWithCbc(program, SolveOptions{});
  EXPECT_EQ(result.solution.status, SolutionStatus::kOptimal);
  return result.solution.objective.value_or(NAN);
}

// The best (lowest) value of any matching, of any that matches every
// family with `matchAll`.
int64_t bruteForceOptimum(const Structure& first, const Structure& second, bool matchAll) {
  const GenomePairGraph graph(first, second);
  MatchingEvaluator evaluator(graph);
  int64_t best = INT64_MAX;
  testutil::forEachMatching(graph, [&](const std::vector<CopyPair>& matching) {
    if (matchAll && !testutil::matchesEveryFamily(graph, matching)) return;
    best = std::min(best, evaluator.value(matching));
  });
  return best;
}

std::string describe(const Structure& genome) {
  std::string text;
  for (const Chromosome& chromosome : genome.chromosomes) {
    text += chromosome.circular ? "C" : "L";
    for (const Gene& gene : chromosome.genes) {
      text += (gene.sign < 0 ? " -" : " +") + gene.name + "." + std::to_string(gene.index);
    }
    text += "; ";
  }
  return text;
}

void expectBothModelsAt(const Structure& first, const Structure& second, bool matchAll, int64_t optimum) {
  SCOPED_TRACE(describe(first) + "| " + describe(second) + (matchAll ? "(match all)" : ""));
  const compact::CompactSolveResult compact = compact::solveCompact(first, second, SolveOptions{}, matchAll);
  EXPECT_EQ(compact.status, SolutionStatus::kOptimal);
  EXPECT_EQ(-compact.score, optimum);
  EXPECT_EQ(wholeProgramOptimum(first, second, matchAll), static_cast<double>(optimum));
}

// The pair on which CBC's preprocessing proved -10 "optimal".
TEST(OptimumBruteForceTest, APairWhosePreprocessingCutOffTheOptimum) {
  using testutil::kCircular;
  const Structure first = testutil::makeStructure(1, {{kCircular, "+g2.2 +g2.1 -g3.2"}, {kCircular, "-g1.1 -g3.1"}});
  const Structure second = testutil::makeStructure(
      2, {{kCircular, "-g3.2 -g2.1 -g3.1"}, {kCircular, "+g1.2"}, {kCircular, "-g1.1"}});
  ASSERT_EQ(bruteForceOptimum(first, second, false), -12);
  expectBothModelsAt(first, second, false, -12);
}

TEST(OptimumBruteForceTest, BothModelsReachTheBestMatchingOnRandomPairs) {
  Random random(35);
  for (int round = 0; round < 500; ++round) {
    const auto [first, second] = randomPair(random);
    const bool matchAll = round % 4 == 3;
    expectBothModelsAt(first, second, matchAll, bruteForceOptimum(first, second, matchAll));
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace paralog
