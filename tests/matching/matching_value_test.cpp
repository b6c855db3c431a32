// The value of a matching against CBC: on random small genome pairs the
// evaluator's value equals CBC's optimum of the whole program with its z
// variables fixed to the matching, its assignment of every variable passes
// the checks against the program (in memory and streamed), and for the smallest pairs its best value
// over all matchings is CBC's optimum of the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ilp/generate_program.h"
#include "support/random_matching.h"
#include "support/structure_builders.h"
#include "solver/embedded_cbc.h"
#include "model/linear_program_builder.h"
#include "solver/named_values.h"
#include "solver/solution_check.h"
#include "solve/streamed_check.h"
#include "matching/assignment_names.h"
#include "matching/matching_evaluator.h"

namespace paralog {
namespace {

using Random = std::mt19937_64;
using testutil::kCircular;
using testutil::kLinear;
using testutil::makeStructure;

uint32_t below(Random& random, uint32_t bound) { return static_cast<uint32_t>(random() % bound); }

LinearProgram programOf(const Structure& first, const Structure& second) {
  LinearProgram program;
  LinearProgramBuilder builder(program);
  buildProgram(first, second, builder, [](std::string_view) {}, RowThreads::kCallingThread,
               LpFile::kNone);
  return program;
}

double cbcOptimum(const LinearProgram& program) {
  const SolveResult result = solveWithCbc(program, SolveOptions{});
  EXPECT_EQ(result.solution.status, SolutionStatus::kOptimal);
  return result.solution.objective.value_or(1e9);
}

// A genome over genes g0 .. g<names - 1> with copies[k] copies of gk, cut
// into one to three chromosomes of random kinds, in random order and signs.
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
    // One-gene chromosomes come often.
    const size_t length = below(random, 3) == 0 ? 1 : 1 + below(random, static_cast<uint32_t>(genes.size() - at));
    Chromosome chromosome{below(random, 2) == 0, {}};
    for (size_t i = 0; i < length && at < genes.size(); ++i) chromosome.genes.push_back(genes[at++]);
    chromosomes.push_back(chromosome);
  }
  return testutil::structure(id, chromosomes);
}

// `genome` with one segment of one chromosome reversed, so that the two
// share most adjacencies.
Structure inverted(Random& random, const Structure& genome, int32_t id) {
  std::vector<Chromosome> chromosomes = genome.chromosomes;
  std::vector<Gene>& genes = chromosomes[below(random, static_cast<uint32_t>(chromosomes.size()))].genes;
  const uint32_t from = below(random, static_cast<uint32_t>(genes.size()));
  const uint32_t to = from + 1 + below(random, static_cast<uint32_t>(genes.size() - from));
  std::reverse(genes.begin() + from, genes.begin() + to);
  for (uint32_t i = from; i < to; ++i) genes[i].sign = -genes[i].sign;
  return testutil::structure(id, chromosomes);
}

using testutil::randomMatching;

// Calls `visit` with every matching of the graph's copies.
void forEachMatching(const GenomePairGraph& graph, const std::function<void(const std::vector<CopyPair>&)>& visit) {
  std::vector<CopyPair> matching;
  std::vector<bool> used(graph.copies(1).size(), false);
  std::function<void(uint32_t)> extend = [&](uint32_t c) {
    if (c == graph.copies(0).size()) return visit(matching);
    extend(c + 1);
    for (const uint32_t other : graph.copiesOfGene(1, graph.copies(0)[c].gene)) {
      if (used[other]) continue;
      used[other] = true;
      matching.push_back(CopyPair{c, other});
      extend(c + 1);
      matching.pop_back();
      used[other] = false;
    }
  };
  extend(0);
}

// The assignment passes the whole program, held in memory and streamed by
// the generators, and attains the value; returns it.
int64_t checkedValue(const Structure& first, const Structure& second, const LinearProgram& program,
                     const GenomePairGraph& graph, const std::vector<CopyPair>& matching) {
  MatchingEvaluator evaluator(graph);
  const int64_t value = evaluator.value(matching);
  const MatchingAssignment assignment = evaluator.assignment(matching);
  EXPECT_EQ(assignment.objective, value);
  requireValidSolution(program, programValues(program, graph, assignment),
                       static_cast<double>(value), "matching");
  NamedValues named;
  forEachNonZeroVariable(graph, assignment,
                         [&](std::string_view name, int64_t v) { named.set(name, static_cast<double>(v)); });
  EXPECT_EQ(requireValidAssignment(first, second, named, "matching", [](std::string_view) {}),
            static_cast<double>(value));
  return value;
}

struct MatchingRun {
  int64_t value;
  std::vector<CopyPair> matching;
};

MatchingRun bestOverAllMatchings(const GenomePairGraph& graph) {
  MatchingEvaluator evaluator(graph);
  MatchingRun best{INT64_MAX, {}};
  forEachMatching(graph, [&](const std::vector<CopyPair>& matching) {
    const int64_t value = evaluator.value(matching);
    if (value < best.value) best = MatchingRun{value, matching};
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

TEST(MatchingValueSolver, EqualsCbcWithTheMatchingFixedOnRandomPairs) {
  Random random(20261209);
  for (int round = 0; round < 30; ++round) {
    // The first rounds are small enough to try every matching.
    const bool small = round < 10;
    const uint32_t names = 1 + below(random, small ? 3 : 5);
    std::vector<uint32_t> firstCopies, secondCopies;
    for (uint32_t n = 0; n < names; ++n) {
      firstCopies.push_back(1 + below(random, small ? 2 : 3));
      secondCopies.push_back(1 + below(random, small ? 2 : 3));
    }
    const Structure first = randomGenome(random, 1, firstCopies);
    const Structure second =
        round % 3 == 0 ? inverted(random, first, 2) : randomGenome(random, 2, secondCopies);
    SCOPED_TRACE("first: " + describe(first) + " second: " + describe(second));
    const LinearProgram program = programOf(first, second);
    const GenomePairGraph graph(first, second);
    const std::vector<CopyPair> matching = randomMatching(random, graph);
    const int64_t value = checkedValue(first, second, program, graph, matching);

    LinearProgram fixed = program;
    const std::vector<double> values = programValues(program, graph, MatchingEvaluator(graph).assignment(matching));
    for (size_t v = 0; v < fixed.variables().size(); ++v) {
      ProgramVariable& variable = fixed.variables()[v];
      if (variable.name.rfind("z_", 0) == 0) variable.lower = variable.upper = values[v];
    }
    EXPECT_EQ(cbcOptimum(fixed), static_cast<double>(value)) << "matched pairs: " << matching.size();
    if (small) {
      const MatchingRun best = bestOverAllMatchings(graph);
      EXPECT_EQ(cbcOptimum(program), static_cast<double>(best.value));
      checkedValue(first, second, program, graph, best.matching);
    }
  }
}

// Copy pairs named by their tokens' gene and indices.
std::vector<CopyPair> pairs(const GenomePairGraph& graph,
                            const std::vector<std::tuple<std::string, int32_t, int32_t>>& named) {
  std::vector<CopyPair> matching;
  for (const auto& [gene, i, j] : named) {
    matching.push_back(CopyPair{*graph.findCopy(0, gene, i), *graph.findCopy(1, gene, j)});
  }
  return matching;
}

TEST(MatchingValue, CircularGenomesAnExtraCopyApartMatchEveryPair) {
  const Structure first = makeStructure(1, {{kCircular, "+a.1 +b.1 +c.1 +a.2"}});
  const Structure second = makeStructure(2, {{kCircular, "+a.1 +b.1 +c.1"}});
  const GenomePairGraph graph(first, second);
  const MatchingRun best = bestOverAllMatchings(graph);
  EXPECT_EQ(best.matching.size(), 3u);
  checkedValue(first, second, programOf(first, second), graph, best.matching);
}

TEST(MatchingValue, ACycleThroughASharedAdjacencyCounts) {
  const Structure first = makeStructure(1, {{kCircular, "+g1.1"}});
  const Structure second = makeStructure(2, {{kCircular, "-g1.1"}, {kCircular, "-g1.2"}});
  const GenomePairGraph graph(first, second);
  EXPECT_EQ(checkedValue(first, second, programOf(first, second), graph, pairs(graph, {{"g1", 1, 2}})), -4);
}

TEST(MatchingValue, RefusesACopyWrittenTwice) {
  const Structure first = makeStructure(1, {{kLinear, "+a.1 -a.1"}});
  const Structure second = makeStructure(2, {{kLinear, "+a.1"}});
  EXPECT_THROW(GenomePairGraph(first, second), std::runtime_error);
}

}  // namespace
}  // namespace paralog
