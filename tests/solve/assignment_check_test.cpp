// The aggregate check against the row-by-row check of the whole program:
// on random small genome pairs, the assignment of a random matching and
// that assignment perturbed (z, t, u, p, o, r and l values changed), both
// give the same verdict and, when it holds, the same objective, and when
// it breaks the run's check throws the row-by-row check's message; across
// the cases every family of rows is found broken at least once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ilp/generate_program.h"
#include "matching/assignment_names.h"
#include "matching/matching_evaluator.h"
#include "solve/assignment_check.h"
#include "solver/named_values.h"
#include "solve/streamed_check.h"
#include "support/random_matching.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using Random = std::mt19937_64;

uint32_t below(Random& random, uint32_t bound) { return static_cast<uint32_t>(random() % bound); }

// Genes g0 .. with copies[k] copies of gk, cut into random chromosomes of
// random kinds, in random order and signs.
Structure randomGenome(Random& random, int32_t id, const std::vector<uint32_t>& copies) {
  std::vector<Gene> genes;
  for (size_t name = 0; name < copies.size(); ++name) {
    for (uint32_t c = 1; c <= copies[name]; ++c) {
      genes.push_back(Gene{"g" + std::to_string(name), static_cast<int32_t>(c), below(random, 2) ? 1 : -1});
    }
  }
  std::shuffle(genes.begin(), genes.end(), random);
  std::vector<Chromosome> chromosomes;
  for (size_t at = 0; at < genes.size();) {
    const size_t length = 1 + below(random, static_cast<uint32_t>(genes.size() - at));
    Chromosome chromosome{below(random, 2) == 0, {}};
    for (size_t i = 0; i < length && at < genes.size(); ++i) chromosome.genes.push_back(genes[at++]);
    chromosomes.push_back(chromosome);
  }
  return testutil::structure(id, chromosomes);
}

using testutil::randomMatching;

// Adds `item` to `list` when it is missing, removes it otherwise.
template <typename T, typename Same>
void toggle(std::vector<T>& list, const T& item, Same same) {
  const auto at = std::find_if(list.begin(), list.end(), [&](const T& x) { return same(x, item); });
  if (at == list.end()) {
    list.push_back(item);
  } else {
    list.erase(at);
  }
}

// One random change of one family of values; p and o are set also where
// the program has no such variable.
void perturb(Random& random, const GenomePairGraph& graph, MatchingAssignment& values) {
  const auto ends = static_cast<uint32_t>(graph.endCount());
  const auto end = static_cast<int32_t>(below(random, ends));
  switch (below(random, 8)) {
    case 0: {  // z: any copy pair of one gene
      const uint32_t first = below(random, static_cast<uint32_t>(graph.copies(0).size()));
      const std::vector<uint32_t>& partners = graph.copiesOfGene(1, graph.copies(0)[first].gene);
      if (partners.empty()) return;
      toggle(values.matched, CopyPair{first, partners[below(random, static_cast<uint32_t>(partners.size()))]},
             [](const CopyPair& a, const CopyPair& b) { return a.first == b.first && a.second == b.second; });
      return;
    }
    case 1: {  // t: two ends of one genome
      auto other = static_cast<int32_t>(below(random, ends));
      if (other == end || graph.genomeOfEnd(other) != graph.genomeOfEnd(end)) return;
      toggle(values.joins, std::make_pair(std::min(end, other), std::max(end, other)),
             [](const auto& a, const auto& b) { return std::minmax(a.first, a.second) == std::minmax(b.first, b.second); });
      return;
    }
    case 2: {  // u
      if (values.labels.empty()) return;
      const uint32_t a = below(random, static_cast<uint32_t>(values.labels.size()));
      values.labels[a] = static_cast<int32_t>(below(random, static_cast<uint32_t>(graph.adjacencies()[a].number + 3))) - 1;
      return;
    }
    case 3: {  // p
      if (graph.adjacencies().empty()) return;
      const uint32_t a = below(random, static_cast<uint32_t>(graph.adjacencies().size()));
      toggle(values.pAtOne, a, [](uint32_t x, uint32_t y) { return x == y; });
      return;
    }
    case 4: {  // o
      const uint32_t c = below(random, static_cast<uint32_t>(graph.chromosomes().size()));
      toggle(values.oAtOne, c, [](uint32_t x, uint32_t y) { return x == y; });
      return;
    }
    case 5:  // r, and with it l of a matched end
      values.endValues[end] = static_cast<int8_t>(static_cast<int32_t>(below(random, 5)) - 2);
      return;
    default:  // l: set to r, or back to 0
      values.endMatched[end] = static_cast<uint8_t>(1 - values.endMatched[end]);
      return;
  }
}

struct LiteralVerdict {
  bool holds = false;
  double objective = 0;
  std::string message;  ///< what a broken check throws
};

LiteralVerdict rowByRow(const Structure& first, const Structure& second, const GenomePairGraph& graph,
                        const MatchingAssignment& values, bool matchAll) {
  NamedValues named;
  forEachNonZeroVariable(graph, values, [&](std::string_view name, int64_t v) { named.set(name, static_cast<double>(v)); });
  StreamedSolutionCheck check(named);
  buildProgram(first, second, check, [](std::string_view) {}, RowThreads::kCallingThread, LpFile::kNone,
               ProgramOptions{matchAll});
  LiteralVerdict verdict{check.holds(), check.objectiveValue(), ""};
  try {
    check.require("answer", std::nullopt);
  } catch (const std::runtime_error& error) {
    verdict.message = error.what();
  }
  return verdict;
}

const SolveControl kNoStop(std::nullopt, nullptr);

TEST(AssignmentCheckTest, JudgesLikeTheRowByRowCheckAndFindsEveryFamilyBroken) {
  Random random(20261210);
  uint32_t broken = 0;
  int holding = 0;
  for (int trial = 0; trial < 800; ++trial) {
    std::vector<uint32_t> firstCopies(1 + below(random, 4));
    std::vector<uint32_t> secondCopies(firstCopies.size());
    for (size_t k = 0; k < firstCopies.size(); ++k) {
      firstCopies[k] = 1 + below(random, 3);
      secondCopies[k] = 1 + below(random, 3);
    }
    const Structure first = randomGenome(random, 1, firstCopies);
    const Structure second = randomGenome(random, 2, secondCopies);
    const GenomePairGraph graph(first, second);
    MatchingAssignment values = MatchingEvaluator(graph).assignment(randomMatching(random, graph));
    const uint32_t changes = trial % 4 == 0 ? 0 : 1 + below(random, 2);
    for (uint32_t c = 0; c < changes; ++c) perturb(random, graph, values);
    const bool matchAll = below(random, 4) == 0;

    const AssignmentVerdict verdict = checkAssignment(graph, values, matchAll);
    const LiteralVerdict literal = rowByRow(first, second, graph, values, matchAll);
    ASSERT_EQ(verdict.holds(), literal.holds)
        << "trial " << trial << ", aggregate finds broken: " << brokenFamilyNames(verdict);
    if (literal.holds) {
      ++holding;
      EXPECT_EQ(static_cast<double>(verdict.objective), literal.objective) << "trial " << trial;
    } else {
      // The run's check names the broken row as the row-by-row check does.
      try {
        requireValidMatchingAssignment(first, second, graph, values, "answer", matchAll, kNoStop);
        ADD_FAILURE() << "trial " << trial << ": a broken answer passed";
      } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), literal.message) << "trial " << trial;
      }
    }
    if (changes == 0 && !matchAll) {
      EXPECT_TRUE(verdict.holds()) << brokenFamilyNames(verdict);
    }
    broken |= verdict.brokenFamilies;
  }
  EXPECT_GT(holding, 150);
  for (uint32_t f = 0; f < static_cast<uint32_t>(RowFamily::kCount); ++f) {
    EXPECT_NE((broken >> f) & 1, 0U) << "never broken: " << rowFamilyName(static_cast<RowFamily>(f));
  }
}

}  // namespace
}  // namespace paralog
