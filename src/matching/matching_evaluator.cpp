#include "matching/matching_evaluator.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace paralog {

namespace {

PieceSide freeSide(int genome) { return genome == 0 ? PieceSide::kFreeFirst : PieceSide::kFreeSecond; }

}  // namespace

MatchingEvaluator::MatchingEvaluator(const GenomePairGraph& graph)
    : graph_(graph),
      zMate_(graph.endCount(), -1),
      tMate_(graph.endCount(), -1),
      matchedOnChromosome_(graph.chromosomes().size(), 0),
      visited_(graph.endCount(), 0) {}

void MatchingEvaluator::fixMatching(const std::vector<CopyPair>& matching) {
  std::fill(zMate_.begin(), zMate_.end(), -1);
  std::fill(tMate_.begin(), tMate_.end(), -1);
  std::fill(matchedOnChromosome_.begin(), matchedOnChromosome_.end(), 0);
  std::fill(visited_.begin(), visited_.end(), 0);
  for (const CopyPair& pair : matching) {
    for (int head = 0; head < 2; ++head) {
      const int32_t a = graph_.endOf(0, pair.first, head);
      const int32_t b = graph_.endOf(1, pair.second, head);
      zMate_[a] = b;
      zMate_[b] = a;
    }
    ++matchedOnChromosome_[graph_.copies(0)[pair.first].chromosome];
    ++matchedOnChromosome_[graph_.copies(1)[pair.second].chromosome];
  }
}

bool MatchingEvaluator::alive(int32_t end) const {
  const uint32_t chromosome = graph_.chromosomeOfEnd(end);
  return !graph_.chromosomes()[chromosome].circular || matchedOnChromosome_[chromosome] > 0;
}

// From `start`, across its node first (a free end, or any end of a cycle)
// or across its edge first (the end of a linear chromosome), to the other
// side of the piece.
Piece MatchingEvaluator::walkPiece(int32_t start, bool crossNodeFirst) {
  Piece piece;
  if (crossNodeFirst) {
    piece.sides[0] = freeSide(graph_.genomeOfEnd(start));
    piece.freeEnds[0] = start;
  } else {
    piece.sides[0] = PieceSide::kTelomere;
  }
  int32_t end = start;
  bool crossNode = crossNodeFirst;
  while (true) {
    visited_[end] = 1;
    if (crossNode) {
      const int32_t mate = graph_.endMate(end);
      if (mate < 0) {
        piece.sides[1] = PieceSide::kTelomere;
        return piece;
      }
      ++piece.flips;
      piece.hasP = piece.hasP || graph_.adjacencies()[graph_.adjacencyOfEnd(end)].hasP;
      end = mate;
      visited_[end] = 1;
    } else {
      const int32_t mate = zMate_[end] >= 0 ? zMate_[end] : tMate_[end];
      if (mate < 0) {
        piece.sides[1] = freeSide(graph_.genomeOfEnd(end));
        piece.freeEnds[1] = end;
        return piece;
      }
      end = mate;
      if (end == start && crossNodeFirst) {
        piece.cycle = true;
        piece.freeEnds[0] = -1;
        return piece;
      }
    }
    crossNode = !crossNode;
  }
}

void MatchingEvaluator::collectPieces() {
  pieces_.clear();
  const auto ends = static_cast<int32_t>(graph_.endCount());
  for (int32_t end = 0; end < ends; ++end) {
    if (visited_[end] || !alive(end)) continue;
    if (graph_.endMate(end) < 0) {
      pieces_.push_back(walkPiece(end, false));
    } else if (zMate_[end] < 0) {
      pieces_.push_back(walkPiece(end, true));
    }
  }
  // What is left in play lies on cycles of z-edges.
  for (int32_t end = 0; end < ends; ++end) {
    if (!visited_[end] && alive(end)) pieces_.push_back(walkPiece(end, true));
  }
}

// 2 per matched pair and n - 1 per circular chromosome of n >= 2 genes
// none of whose copies is matched, as a gain.
int64_t MatchingEvaluator::fixedPart(const std::vector<CopyPair>& matching) const {
  int64_t gain = 2 * static_cast<int64_t>(matching.size());
  const std::vector<GraphChromosome>& chromosomes = graph_.chromosomes();
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (chromosomes[c].circular && chromosomes[c].geneCount >= 2 && matchedOnChromosome_[c] == 0) {
      gain += chromosomes[c].geneCount - 1;
    }
  }
  return gain;
}

int64_t MatchingEvaluator::value(const std::vector<CopyPair>& matching) {
  fixMatching(matching);
  collectPieces();
  return -(fixedPart(matching) + bestJoinGain(countPieces(pieces_)));
}

// A path between two chromosome ends: r alternates from +1 at `telomere`,
// changing sign across each adjacency and each join and keeping it across a
// z-edge, so that the path adds 1 when its length is even and 0 otherwise.
void MatchingEvaluator::assignPath(int32_t telomere, MatchingAssignment& result) {
  int8_t value = 1;
  int32_t end = telomere;
  while (true) {
    visited_[end] = 1;
    result.endValues[end] = value;
    const int32_t zMate = zMate_[end];
    const int32_t next = zMate >= 0 ? zMate : tMate_[end];
    if (next < 0) throw std::logic_error("internal error: a free end left without a join");
    if (zMate < 0) value = static_cast<int8_t>(-value);
    end = next;
    visited_[end] = 1;
    result.endValues[end] = value;
    const int32_t mate = graph_.endMate(end);
    if (mate < 0) return;
    value = static_cast<int8_t>(-value);
    end = mate;
  }
}

// A cycle: r is 0 on it; its labels all take the smallest number among its
// adjacencies, and that adjacency's p is 1, when it has one.
void MatchingEvaluator::assignCycle(int32_t start, MatchingAssignment& result) {
  cycleAdjacencies_.clear();
  int32_t end = start;
  do {
    visited_[end] = 1;
    const int32_t mate = graph_.endMate(end);
    visited_[mate] = 1;
    cycleAdjacencies_.push_back(static_cast<uint32_t>(graph_.adjacencyOfEnd(end)));
    end = zMate_[mate] >= 0 ? zMate_[mate] : tMate_[mate];
    if (end < 0) throw std::logic_error("internal error: a free end left without a join");
  } while (end != start);
  const std::vector<GraphAdjacency>& adjacencies = graph_.adjacencies();
  const auto smallest = *std::min_element(
      cycleAdjacencies_.begin(), cycleAdjacencies_.end(),
      [&](uint32_t a, uint32_t b) {
        // A shared adjacency's first-genome copy has the highest number, as
        // the second genome's last adjacency has; that one holds the p.
        return adjacencies[a].number < adjacencies[b].number ||
               (adjacencies[a].number == adjacencies[b].number && adjacencies[a].hasP && !adjacencies[b].hasP);
      });
  if (!adjacencies[smallest].hasP) return;
  for (const uint32_t adjacency : cycleAdjacencies_) {
    result.labels[adjacency] = adjacencies[smallest].number;
  }
  result.pAtOne.push_back(smallest);
}

MatchingAssignment MatchingEvaluator::assignment(const std::vector<CopyPair>& matching) {
  fixMatching(matching);
  collectPieces();
  const PieceCounts counts = countPieces(pieces_);
  MatchingAssignment result;
  result.objective = -(fixedPart(matching) + bestJoinGain(counts));
  result.matched = matching;
  result.joins = bestJoins(pieces_, counts);
  for (const auto& [a, b] : result.joins) {
    tMate_[a] = b;
    tMate_[b] = a;
  }
  result.endValues.assign(graph_.endCount(), 0);
  result.labels.assign(graph_.adjacencies().size(), 0);
  std::fill(visited_.begin(), visited_.end(), 0);
  const auto ends = static_cast<int32_t>(graph_.endCount());
  for (int32_t end = 0; end < ends; ++end) {
    if (!visited_[end] && graph_.endMate(end) < 0) assignPath(end, result);
  }
  for (int32_t end = 0; end < ends; ++end) {
    if (!visited_[end] && alive(end)) assignCycle(end, result);
  }
  const std::vector<GraphChromosome>& chromosomes = graph_.chromosomes();
  for (uint32_t c = 0; c < chromosomes.size(); ++c) {
    if (chromosomes[c].circular && chromosomes[c].geneCount >= 2 && matchedOnChromosome_[c] == 0) {
      result.oAtOne.push_back(c);
    }
  }
  result.endMatched.resize(graph_.endCount());
  for (int32_t end = 0; end < ends; ++end) result.endMatched[end] = zMate_[end] >= 0 ? 1 : 0;
  if (objectiveAt(graph_, result) != result.objective) {
    throw std::logic_error("internal error: the assignment of a matching misses its value");
  }
  return result;
}

int64_t objectiveAt(const GenomePairGraph& graph, const MatchingAssignment& assignment) {
  int64_t objective = -2 * static_cast<int64_t>(assignment.matched.size() + assignment.pAtOne.size());
  for (size_t end = 0; end < assignment.endValues.size(); ++end) {
    const bool firstMatched = graph.genomeOfEnd(static_cast<int32_t>(end)) == 0 && assignment.endMatched[end];
    // l cancels r on a matched end of the first genome.
    if (!firstMatched) objective -= assignment.endValues[end];
  }
  for (const uint32_t c : assignment.oAtOne) objective -= graph.chromosomes()[c].geneCount - 1;
  return objective;
}

bool validMatching(const GenomePairGraph& graph, const std::vector<CopyPair>& matching) {
  std::vector<uint8_t> used[2] = {std::vector<uint8_t>(graph.copies(0).size(), 0),
                                  std::vector<uint8_t>(graph.copies(1).size(), 0)};
  for (const CopyPair& pair : matching) {
    if (pair.first >= used[0].size() || pair.second >= used[1].size()) return false;
    if (used[0][pair.first]++ || used[1][pair.second]++) return false;
    if (graph.copies(0)[pair.first].gene != graph.copies(1)[pair.second].gene) return false;
  }
  return true;
}

}  // namespace paralog
