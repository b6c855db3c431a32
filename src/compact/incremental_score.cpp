#include "compact/incremental_score.h"

#include <algorithm>

namespace paralog::compact {
namespace {

// Where a piece, followed from a node out through one of its extremities,
// ends, and what it passed on the way (the start node not included).
struct HalfWalk {
  bool backToStart = false;  // the piece is a cycle
  PieceEnd side = PieceEnd::kTelomere;
  int32_t nodes = 0;
  int32_t flips = 0;
};

}  // namespace

IncrementalScore::IncrementalScore(const PieceGraph& graph, CopyMatching matching)
    : graph_(graph),
      matching_(std::move(matching)),
      matchedOnChromosome_(graph.chromosomes().size(), 0),
      seen_(graph.nodes().size(), 0) {
  for (size_t copy = 0; copy < matching_.pairOfCopy.size(); ++copy) {
    if (matching_.pairOfCopy[copy] >= 0) ++matchedOnChromosome_[graph_.copies()[copy].chromosome];
  }
  recountAll();
}

bool IncrementalScore::applyIfBetter(const Change& change, Change* undo) {
  const PieceCounts countsBefore = counts_;
  const int64_t scoreBefore = score_;
  Change restore = apply(change);
  if (score_ > scoreBefore) {
    if (undo != nullptr) *undo = std::move(restore);
    return true;
  }
  setPartners(restore);
  counts_ = countsBefore;
  score_ = scoreBefore;
  return false;
}

IncrementalScore::Change IncrementalScore::apply(const Change& change) {
  Change undo = undoOf(change);
  if (changesDeadChromosome(change)) {
    setPartners(change);
    recountAll();
  } else {
    countAround(change, -1);
    setPartners(change);
    countAround(change, +1);
    score_ = matchingScore(counts_);
  }
  return undo;
}

IncrementalScore::Change IncrementalScore::undoOf(const Change& change) const {
  Change undo;
  undo.reserve(change.size());
  for (const auto& [copy, pair] : change) undo.emplace_back(copy, matching_.pairOfCopy[copy]);
  return undo;
}

void IncrementalScore::setPartners(const Change& change) {
  for (const auto& [copy, pair] : change) {
    int32_t& current = matching_.pairOfCopy[copy];
    const int delta = (pair >= 0 ? 1 : 0) - (current >= 0 ? 1 : 0);
    matchedOnChromosome_[graph_.copies()[copy].chromosome] += delta;
    if (graph_.copies()[copy].genome == 0) counts_.matchedPairs += delta;
    current = pair;
  }
}

bool IncrementalScore::changesDeadChromosome(const Change& change) const {
  for (const auto& [copy, pair] : change) {
    const int32_t chromosome = graph_.copies()[copy].chromosome;
    if (!graph_.chromosomes()[chromosome].circular) continue;
    int32_t after = matchedOnChromosome_[chromosome];
    for (const auto& [other, otherPair] : change) {
      if (graph_.copies()[other].chromosome != chromosome) continue;
      after += (otherPair >= 0 ? 1 : 0) - (matching_.pairOfCopy[other] >= 0 ? 1 : 0);
    }
    if ((after == 0) != (matchedOnChromosome_[chromosome] == 0)) return true;
  }
  return false;
}

void IncrementalScore::recountAll() {
  counts_ = countPieces(graph_, matching_, walkPieces(graph_, matching_));
  score_ = matchingScore(counts_);
}

void IncrementalScore::countAround(const Change& change, int sign) {
  ++generation_;
  for (const auto& [copy, pair] : change) {
    for (int end = 0; end < 2; ++end) {
      countPieceThrough(graph_.nodeOf(PieceGraph::extremity(copy, end)), sign);
    }
  }
}

bool IncrementalScore::dead(int32_t chromosome) const {
  return graph_.chromosomes()[chromosome].circular && matchedOnChromosome_[chromosome] == 0;
}

bool IncrementalScore::free(int32_t extremity) const {
  const int32_t copy = PieceGraph::copyOf(extremity);
  return matching_.pairOfCopy[copy] < 0 && !dead(graph_.copies()[copy].chromosome);
}

void IncrementalScore::countPieceThrough(int32_t start, int sign) {
  const PieceGraph::Node& node = graph_.nodes()[start];
  if (seen_[start] == generation_ || dead(node.chromosome)) return;
  seen_[start] = generation_;
  // Follows the piece from `start` out through extremity `out` (-1: the
  // telomere side) to where it ends.
  const auto follow = [&](int32_t out) {
    HalfWalk half;
    int32_t at = start;
    for (;;) {
      if (out < 0) return half;
      if (free(out)) {
        half.side = graph_.nodes()[at].genome == 0 ? PieceEnd::kFreeFirst : PieceEnd::kFreeSecond;
        return half;
      }
      const PieceGraph::Pair& pair = graph_.pairs()[matching_.pairOfCopy[PieceGraph::copyOf(out)]];
      const int32_t partnerCopy = graph_.copies()[PieceGraph::copyOf(out)].genome == 0 ? pair.second : pair.first;
      const int32_t in = PieceGraph::extremity(partnerCopy, out % 2);
      at = graph_.nodeOf(in);
      if (at == start) {
        half.backToStart = true;
        return half;
      }
      seen_[at] = generation_;
      ++half.nodes;
      if (!graph_.nodes()[at].telomere()) ++half.flips;
      out = graph_.otherEnd(in);
    }
  };
  const HalfWalk one = follow(node.ends[0]);
  if (one.backToStart) {
    counts_.cycles += sign;
    return;
  }
  const HalfWalk other = node.telomere() ? HalfWalk{} : follow(node.ends[1]);
  const int parity = (one.flips + other.flips + (node.telomere() ? 0 : 1)) % 2;
  const PieceEnd low = std::min(one.side, other.side);
  const PieceEnd high = std::max(one.side, other.side);
  if (low == high && low != PieceEnd::kTelomere) {
    // The node alone of a shared adjacency, both ends free, earns nothing.
    const bool lonelyShared = one.nodes + other.nodes == 0 && graph_.sharedFirstNode(start);
    if (!lonelyShared) counts_.closedByOneJoin += sign;
  } else if (low == PieceEnd::kFreeFirst) {
    counts_.freeBoth[parity] += sign;
  } else if (high == PieceEnd::kTelomere) {
    if (parity == 0) counts_.evenTelomerePaths += sign;
  } else {
    counts_.telomereFree[high == PieceEnd::kFreeFirst ? 0 : 1][parity] += sign;
  }
}

}  // namespace paralog::compact
