#include "compact/kicked_search.h"

#include <random>
#include <vector>

#include "compact/incremental_score.h"
#include "compact/pair_moves.h"

namespace paralog::compact {
namespace {

using Change = IncrementalScore::Change;

// The copies a change touches and those next to them on their chromosomes,
// where the moves that follow a kick are tried.
std::vector<int32_t> copiesAround(const PieceGraph& graph, const Change& change) {
  std::vector<int32_t> copies;
  for (const auto& [copy, pair] : change) {
    copies.push_back(copy);
    for (int end = 0; end < 2; ++end) {
      const int32_t other = graph.otherEnd(PieceGraph::extremity(copy, end));
      if (other >= 0) copies.push_back(PieceGraph::copyOf(other));
    }
  }
  return copies;
}

// Single-pair moves on the pairs of `copies` while one raises the score;
// each applied move's undo goes to `undo`.
void climbAround(const PieceGraph& graph, IncrementalScore& search, const std::vector<int32_t>& copies,
                 bool matchAll, std::vector<Change>& undo) {
  constexpr int kPasses = 3;
  for (int pass = 0; pass < kPasses; ++pass) {
    bool improved = false;
    for (int32_t copy : copies) {
      for (int32_t p : graph.pairsOf(copy)) {
        const Change move = togglePair(graph, search.matching(), p, matchAll);
        Change restore;
        if (move.empty() || !search.applyIfBetter(move, &restore)) continue;
        undo.push_back(std::move(restore));
        improved = true;
      }
    }
    if (!improved) return;
  }
}

}  // namespace

CopyMatching kickedSearch(const PieceGraph& graph, CopyMatching start, bool matchAll, int64_t rounds,
                          const SolveControl& control) {
  const auto pairCount = static_cast<int32_t>(graph.pairs().size());
  if (pairCount == 0) return start;
  constexpr int64_t kRoundsBetweenLooks = 256;
  IncrementalScore search(graph, std::move(start));
  std::mt19937 random(20261210);
  std::vector<Change> undo;
  for (int64_t round = 0; round < rounds; ++round) {
    if (round % kRoundsBetweenLooks == 0 && control.stopReason()) break;
    const Change kick = togglePair(graph, search.matching(), static_cast<int32_t>(random() % pairCount), matchAll);
    if (kick.empty()) continue;
    const int64_t before = search.score();
    undo.clear();
    undo.push_back(search.apply(kick));
    climbAround(graph, search, copiesAround(graph, kick), matchAll, undo);
    if (search.score() >= before) continue;
    for (auto step = undo.rbegin(); step != undo.rend(); ++step) search.apply(*step);
  }
  return search.matching();
}

int64_t defaultKickRounds(const PieceGraph& graph) {
  constexpr int64_t kRoundsPerPair = 4;
  return kRoundsPerPair * static_cast<int64_t>(graph.pairs().size());
}

}  // namespace paralog::compact
