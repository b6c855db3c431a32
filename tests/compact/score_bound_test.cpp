// The score bounds reported before the search, against the best score over
// every matching of random small pairs: never below it under either join
// credit, the cut's credit never below any matching's, and the cut bound
// exact for a genome against itself. The bounds of partial matchings that
// the tree search uses, against random matchings of larger pairs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "compact/cut_bound.h"
#include "compact/partial_matching_bound.h"
#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "compact/score_bound.h"
#include "solver/solve_control.h"
#include "support/random_pairs.h"
#include "support/structure_builders.h"

namespace paralog::compact {
namespace {

// The score of the matching that pairs every copy with the copy of the
// same index, for a genome against itself: no matching scores more.
int64_t identityScore(const PieceGraph& graph) {
  std::vector<int32_t> identity;
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    const PieceGraph::Pair& pair = graph.pairs()[p];
    if (graph.copies()[pair.first].index == graph.copies()[pair.second].index) {
      identity.push_back(static_cast<int32_t>(p));
    }
  }
  return scoreMatching(graph, CopyMatching::of(graph, identity));
}

// What the cut must count at least of a matching, in halves: 2 per matched
// pair, 1 per node of a cycle of two links, 2 per adjacency alone with both
// ends free, but 2 less per shared first-genome node alone (it earns
// nothing and may pay for its twin) and per dead first-genome chromosome
// (whose reward falls 1 short of its shares).
int64_t cutCredit(const PieceGraph& graph, const CopyMatching& matching) {
  int64_t halves = 2 * static_cast<int64_t>(matching.pairs(graph).size());
  const PieceWalk walk = walkPieces(graph, matching);
  for (const Piece& piece : walk.pieces) {
    const int32_t node = piece.steps[0].node;
    if (piece.cycle && piece.steps.size() == 2) halves += 2;
    if (!piece.cycle && piece.steps.size() == 1 && !graph.nodes()[node].telomere()) {
      halves += graph.sharedFirstNode(node) ? -2 : 2;
    }
  }
  for (size_t c = 0; c < walk.deadChromosome.size(); ++c) {
    halves -= walk.deadChromosome[c] && graph.chromosomes()[c].genome == 0 ? 2 : 0;
  }
  return halves;
}

// The genome rearranged: up to two segments of a chromosome reversed, up to
// two copies lost, sometimes a copy of a gene the genome lacks, as id 2.
Structure relatedGenome(std::mt19937& random, const Structure& genome) {
  std::vector<Chromosome> chromosomes = genome.chromosomes;
  for (int reversals = static_cast<int>(random() % 3); reversals > 0; --reversals) {
    std::vector<Gene>& genes = chromosomes[random() % chromosomes.size()].genes;
    const size_t from = random() % genes.size();
    const size_t to = from + 1 + random() % (genes.size() - from);
    std::reverse(genes.begin() + static_cast<long>(from), genes.begin() + static_cast<long>(to));
    for (size_t g = from; g < to; ++g) genes[g].sign = -genes[g].sign;
  }
  for (int lost = static_cast<int>(random() % 3); lost > 0; --lost) {
    std::vector<Gene>& genes = chromosomes[random() % chromosomes.size()].genes;
    if (genes.size() > 1) genes.erase(genes.begin() + static_cast<long>(random() % genes.size()));
  }
  if (random() % 4 == 0) chromosomes[0].genes.push_back({"z", 1, 1});
  return testutil::structure(2, chromosomes);
}

// The genome's genes on one circular chromosome: two unrelated ones score
// best with most copies unmatched, where the bounds come close too.
Structure circularized(const Structure& genome) {
  std::vector<Chromosome> one(1);
  one[0].circular = true;
  for (const Chromosome& chromosome : genome.chromosomes) {
    one[0].genes.insert(one[0].genes.end(), chromosome.genes.begin(), chromosome.genes.end());
  }
  return testutil::structure(genome.id, one);
}

// Mostly single-copy genes, some in two or three copies, some missing
// from one genome (copies without candidates), on linear and circular
// chromosomes.
TEST(ScoreBoundTest, BoundsNeverClaimLessThanTheBestMatching) {
  std::mt19937 random(20261210);
  const SolveControl noLimit(std::nullopt, nullptr);
  const SolveControl past(0.0, nullptr);
  for (int compared = 0; compared < 150;) {
    std::vector<int> firstCopies, secondCopies;
    for (int g = 0, genes = 1 + static_cast<int>(random() % 6); g < genes; ++g) {
      firstCopies.push_back(std::vector<int>{1, 1, 2, 3}[random() % 4]);
      secondCopies.push_back(std::vector<int>{0, 1, 1, 2, 3}[random() % 5]);
    }
    if (*std::max_element(secondCopies.begin(), secondCopies.end()) == 0) continue;
    Structure first = testutil::randomGenome(random, 1, firstCopies);
    // Every other pair is a rearranged copy of the first genome, where the
    // bounds come close to the best score.
    Structure second = compared % 2 == 0 ? testutil::randomGenome(random, 2, secondCopies)
                                         : relatedGenome(random, first);
    if (compared % 3 == 0) first = circularized(first), second = circularized(second);
    const PieceGraph graph(first, second);
    if (graph.pairs().size() > 10) continue;
    ++compared;
    double best = -1;
    int64_t mostCredit = 0;
    CutBound held(graph);
    testutil::forEachMatching(graph, [&](const CopyMatching& matching) {
      mostCredit = std::max(mostCredit, cutCredit(graph, matching));
      const PartialMatching decided{matching.pairOfCopy};
      EXPECT_GE(held.mostHalves(&decided, 1, noLimit), cutCredit(graph, matching)) << "case " << compared;
      best = std::max(best, static_cast<double>(scoreMatching(graph, matching)));
      best = std::max(best, scoreWithOpenJoins(countPieces(graph, matching, walkPieces(graph, matching))));
    });
    EXPECT_LE(mostCredit, mostCutCredit(graph, noLimit)) << "case " << compared;
    const int64_t counted = scoreUpperBound(graph);
    const std::optional<int64_t> cut = cutScoreBound(graph, noLimit);
    ASSERT_TRUE(cut.has_value());
    EXPECT_GE(static_cast<double>(counted), best) << "case " << compared;
    EXPECT_GE(static_cast<double>(*cut), best) << "case " << compared;
    EXPECT_EQ(scoreUpperBound(graph, noLimit), std::min(counted, *cut));
    EXPECT_GE(static_cast<double>(scoreUpperBound(graph, past)), best) << "case " << compared;
    Structure self = first;
    self.id = 2;
    const PieceGraph selfGraph(first, self);
    EXPECT_EQ(cutScoreBound(selfGraph, noLimit), identityScore(selfGraph)) << "case " << compared;
    // Its best matching matches every copy, so holding them changes nothing.
    EXPECT_EQ(cutScoreBound(selfGraph, noLimit, true), identityScore(selfGraph)) << "case " << compared;
    // Against itself the best cut matches every copy that has a candidate.
    CutBound selfCut(selfGraph);
    selfCut(nullptr, 60, noLimit);
    for (int32_t c = 0; c < static_cast<int32_t>(selfGraph.copies().size()); ++c) {
      EXPECT_EQ(selfCut.matchedInLastCut(c), !selfGraph.pairsOf(c).empty()) << "case " << compared;
    }
  }
}

// A circular chromosome whose adjacencies the other genome keeps on a
// linear one: unmatched, it earns a reward of g - 1 while the twins of its
// adjacencies stay alone, which the cut must credit at every matching.
TEST(ScoreBoundTest, ADeadCircularChromosomeLeavesTheTwinsOfItsAdjacenciesTheirCredit) {
  const SolveControl noLimit(std::nullopt, nullptr);
  std::vector<Gene> genes;
  for (const char* gene : {"+a.1", "+b.1", "+c.1", "-d.1", "+e.1", "+f.1"}) {
    genes.push_back(testutil::gene(gene));
    if (genes.size() < 3) continue;
    const PieceGraph graph(testutil::structure(1, {Chromosome{true, genes}}),
                           testutil::structure(2, {Chromosome{false, genes}}));
    CutBound held(graph);
    testutil::forEachMatching(graph, [&](const CopyMatching& matching) {
      const PartialMatching decided{matching.pairOfCopy};
      EXPECT_GE(held.mostHalves(&decided, 1, noLimit), cutCredit(graph, matching)) << genes.size() << " genes";
    });
  }
}

// A random matching: candidate pairs in random order, most taken while
// both copies are free.
CopyMatching randomMatching(std::mt19937& random, const PieceGraph& graph) {
  std::vector<int32_t> order(graph.pairs().size());
  for (size_t p = 0; p < order.size(); ++p) order[p] = static_cast<int32_t>(p);
  std::shuffle(order.begin(), order.end(), random);
  std::vector<char> used(graph.copies().size(), 0);
  std::vector<int32_t> taken;
  for (const int32_t p : order) {
    const PieceGraph::Pair& pair = graph.pairs()[p];
    if (used[pair.first] || used[pair.second] || random() % 5 == 0) continue;
    used[pair.first] = used[pair.second] = 1;
    taken.push_back(p);
  }
  return CopyMatching::of(graph, taken);
}

// Pairs of up to 16 genes, whose matchings have long paths of decided
// links: both bounds of a partial matching, by counts and by the cut with
// the closed pieces at their value, stay at or above the score of a
// matching that completes it, and meet its open-join score when it is all
// decided (the cut from above).
TEST(ScoreBoundTest, PartialMatchingBoundsHoldOnLargerPairs) {
  std::mt19937 random(20261211);
  const SolveControl noLimit(std::nullopt, nullptr);
  for (int compared = 0; compared < 120; ++compared) {
    std::vector<int> copies;
    for (int g = 0, genes = 4 + static_cast<int>(random() % 13); g < genes; ++g) {
      copies.push_back(std::vector<int>{1, 1, 1, 2, 3}[random() % 5]);
    }
    Structure first = testutil::randomGenome(random, 1, copies);
    Structure second = compared % 4 == 0 ? testutil::randomGenome(random, 2, copies) : relatedGenome(random, first);
    if (compared % 3 == 0) first = circularized(first), second = circularized(second);
    const PieceGraph graph(first, second);
    PartialMatchingBound counted(graph);
    CutBound cut(graph);
    for (int drawn = 0; drawn < 20; ++drawn) {
      const CopyMatching matching = randomMatching(random, graph);
      const int64_t score = scoreMatching(graph, matching);
      const auto open =
          static_cast<int64_t>(scoreWithOpenJoins(countPieces(graph, matching, walkPieces(graph, matching))));
      PartialMatching partial{matching.pairOfCopy};
      ASSERT_DOUBLE_EQ(counted(partial), static_cast<double>(open)) << "case " << compared;
      ASSERT_GE(cut(partial, counted.closed(), 3, noLimit).value(), open) << "case " << compared;
      while (std::count(partial.decision.begin(), partial.decision.end(), PartialMatching::kUndecided) <
             static_cast<long>(partial.decision.size())) {
        const size_t c = random() % partial.decision.size();
        if (const int32_t p = partial.decision[c]; p >= 0) {
          partial.decision[graph.pairs()[p].first] = PartialMatching::kUndecided;
          partial.decision[graph.pairs()[p].second] = PartialMatching::kUndecided;
        }
        partial.decision[c] = PartialMatching::kUndecided;
        ASSERT_GE(counted(partial) + 1e-9, static_cast<double>(score)) << "case " << compared;
        ASSERT_GE(cut(partial, counted.closed(), 1 + drawn % 3, noLimit).value(), score) << "case " << compared;
        // Cuts that stop once the bound is low enough still bound it.
        ASSERT_GE(cut(partial, counted.closed(), 3, noLimit, score + drawn % 3 - 1).value(), score) << compared;
      }
    }
  }
}

}  // namespace
}  // namespace paralog::compact
