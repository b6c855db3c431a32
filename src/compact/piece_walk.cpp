#include "compact/piece_walk.h"

#include <algorithm>

#include "matching/pieces.h"

namespace paralog::compact {
namespace {

// What a walk needs to know of a matching at every step.
class MatchedEnds {
 public:
  MatchedEnds(const PieceGraph& graph, const CopyMatching& matching, const std::vector<char>& dead)
      : graph_(graph), matching_(matching), dead_(dead) {}

  bool free(int32_t e) const {
    const int32_t copy = PieceGraph::copyOf(e);
    return matching_.pairOfCopy[copy] < 0 && dead_[graph_.copies()[copy].chromosome] == 0;
  }
  // The extremity that a matched extremity is linked to in the other genome.
  int32_t partner(int32_t e) const {
    const int32_t copy = PieceGraph::copyOf(e);
    const PieceGraph::Pair& pair = graph_.pairs()[matching_.pairOfCopy[copy]];
    const int32_t other = graph_.copies()[copy].genome == 0 ? pair.second : pair.first;
    return PieceGraph::extremity(other, e % 2);
  }
  PieceEnd freeEnd(int32_t node) const {
    return graph_.nodes()[node].genome == 0 ? PieceEnd::kFreeFirst : PieceEnd::kFreeSecond;
  }

 private:
  const PieceGraph& graph_;
  const CopyMatching& matching_;
  const std::vector<char>& dead_;
};

std::vector<char> deadChromosomes(const PieceGraph& graph, const CopyMatching& matching) {
  std::vector<char> dead(graph.chromosomes().size(), 0);
  for (size_t c = 0; c < dead.size(); ++c) {
    const PieceGraph::ChromosomeInfo& chromosome = graph.chromosomes()[c];
    if (!chromosome.circular || chromosome.copies.empty()) continue;
    dead[c] = std::none_of(chromosome.copies.begin(), chromosome.copies.end(),
                           [&](int32_t copy) { return matching.pairOfCopy[copy] >= 0; });
  }
  return dead;
}

// Walks the path that starts at endpoint node `node`, marking its nodes.
Piece walkPath(const PieceGraph& graph, const MatchedEnds& ends, int32_t node,
               std::vector<char>& visited) {
  Piece piece;
  const PieceGraph::Node& first = graph.nodes()[node];
  int32_t in = -1;
  int32_t out = first.ends[0];
  if (first.telomere()) {
    piece.start = PieceEnd::kTelomere;
  } else {
    in = ends.free(first.ends[0]) ? first.ends[0] : first.ends[1];
    out = graph.otherEnd(in);
    piece.start = ends.freeEnd(node);
  }
  for (;;) {
    piece.steps.push_back({node, in, out});
    visited[node] = 1;
    if (!graph.nodes()[node].telomere()) ++piece.flips;
    if (out < 0) {
      piece.finish = PieceEnd::kTelomere;
      return piece;
    }
    if (ends.free(out)) {
      piece.finish = ends.freeEnd(node);
      return piece;
    }
    in = ends.partner(out);
    node = graph.nodeOf(in);
    out = graph.otherEnd(in);
  }
}

// Walks the cycle through `node`, every end of which is matched.
Piece walkCycle(const PieceGraph& graph, const MatchedEnds& ends, int32_t node,
                std::vector<char>& visited) {
  Piece piece;
  piece.cycle = true;
  const int32_t start = node;
  int32_t in = graph.nodes()[node].ends[1];
  int32_t out = graph.nodes()[node].ends[0];
  for (;;) {
    piece.steps.push_back({node, in, out});
    visited[node] = 1;
    ++piece.flips;
    in = ends.partner(out);
    node = graph.nodeOf(in);
    if (node == start) return piece;
    out = graph.otherEnd(in);
  }
}

// The counts as the rule for the best joins of free ends reads them.
paralog::PieceCounts joinCounts(const PieceCounts& counts) {
  paralog::PieceCounts joined;
  joined.cycles = counts.cycles + counts.closedByOneJoin;
  joined.crossing = counts.freeBoth[0] + counts.freeBoth[1];
  joined.crossingParity = {counts.freeBoth[0] > 0, counts.freeBoth[1] > 0};
  joined.evenPaths = counts.evenTelomerePaths;
  joined.toFree = counts.telomereFree;
  return joined;
}

bool endpointNode(const PieceGraph::Node& node, const MatchedEnds& ends) {
  return node.telomere() || ends.free(node.ends[0]) || ends.free(node.ends[1]);
}

}  // namespace

CopyMatching CopyMatching::of(const PieceGraph& graph, const std::vector<int32_t>& pairs) {
  CopyMatching matching;
  matching.pairOfCopy.assign(graph.copies().size(), -1);
  for (int32_t pair : pairs) {
    matching.pairOfCopy[graph.pairs()[pair].first] = pair;
    matching.pairOfCopy[graph.pairs()[pair].second] = pair;
  }
  return matching;
}

std::vector<int32_t> CopyMatching::pairs(const PieceGraph& graph) const {
  std::vector<int32_t> result;
  for (size_t copy = 0; copy < pairOfCopy.size(); ++copy) {
    if (pairOfCopy[copy] >= 0 && graph.copies()[copy].genome == 0) result.push_back(pairOfCopy[copy]);
  }
  std::sort(result.begin(), result.end());
  return result;
}

PieceWalk walkPieces(const PieceGraph& graph, const CopyMatching& matching) {
  PieceWalk walk;
  walk.deadChromosome = deadChromosomes(graph, matching);
  const MatchedEnds ends(graph, matching, walk.deadChromosome);
  const auto& nodes = graph.nodes();
  std::vector<char> visited(nodes.size(), 0);
  for (size_t v = 0; v < nodes.size(); ++v) {
    if (visited[v] == 0 && walk.deadChromosome[nodes[v].chromosome] != 0) visited[v] = 1;
  }
  for (size_t v = 0; v < nodes.size(); ++v) {
    if (visited[v] == 0 && endpointNode(nodes[v], ends)) {
      walk.pieces.push_back(walkPath(graph, ends, static_cast<int32_t>(v), visited));
    }
  }
  for (size_t v = 0; v < nodes.size(); ++v) {
    if (visited[v] == 0) walk.pieces.push_back(walkCycle(graph, ends, static_cast<int32_t>(v), visited));
  }
  return walk;
}

PieceCounts countPieces(const PieceGraph& graph, const CopyMatching& matching,
                        const PieceWalk& walk) {
  PieceCounts counts;
  for (size_t copy = 0; copy < matching.pairOfCopy.size(); ++copy) {
    if (matching.pairOfCopy[copy] >= 0 && graph.copies()[copy].genome == 0) ++counts.matchedPairs;
  }
  for (size_t c = 0; c < walk.deadChromosome.size(); ++c) {
    const auto n = static_cast<int64_t>(graph.chromosomes()[c].copies.size());
    if (walk.deadChromosome[c] != 0 && n >= 2) counts.deadReward += n - 1;
  }
  for (const Piece& piece : walk.pieces) {
    const int parity = piece.flips % 2;
    PieceEnd a = std::min(piece.start, piece.finish);
    PieceEnd b = std::max(piece.start, piece.finish);
    if (piece.cycle) {
      ++counts.cycles;
    } else if (a == b && a != PieceEnd::kTelomere) {
      const bool lonelyShared = piece.steps.size() == 1 && graph.sharedFirstNode(piece.steps[0].node);
      if (!lonelyShared) ++counts.closedByOneJoin;
    } else if (a == PieceEnd::kFreeFirst) {
      ++counts.freeBoth[parity];
    } else if (b == PieceEnd::kTelomere) {
      if (parity == 0) ++counts.evenTelomerePaths;
    } else {
      ++counts.telomereFree[b == PieceEnd::kFreeFirst ? 0 : 1][parity];
    }
  }
  return counts;
}

JoinPlan bestJoins(const PieceCounts& counts) {
  const paralog::PieceCounts joined = joinCounts(counts);
  JoinPlan plan;
  plan.pairedCycles = joined.crossing / 2;
  auto left = joined.toFree;
  if (joined.crossing % 2 != 0) {
    const Leftover leftover = bestLeftover(joined);
    --left[0][leftover.toFree[0]];
    --left[1][leftover.toFree[1]];
    plan.tripleParities = {leftover.toFree[0], leftover.toFree[1], leftover.crossing};
    plan.evenTriple = (leftover.toFree[0] + leftover.toFree[1] + leftover.crossing) % 2 == 0;
  }
  plan.evenPairs = {pairedEvenPaths(left[0]), pairedEvenPaths(left[1])};
  return plan;
}

int64_t matchingScore(const PieceCounts& counts) {
  return 2 * counts.matchedPairs + counts.deadReward + bestJoinGain(joinCounts(counts));
}

double scoreWithOpenJoins(const PieceCounts& counts) {
  const int64_t telomereFree = counts.telomereFree[0][0] + counts.telomereFree[0][1] + counts.telomereFree[1][0] +
                               counts.telomereFree[1][1];
  return static_cast<double>(2 * counts.matchedPairs + counts.deadReward +
                             2 * (counts.cycles + counts.closedByOneJoin) + counts.evenTelomerePaths +
                             counts.freeBoth[0] + counts.freeBoth[1]) +
         0.5 * static_cast<double>(telomereFree);
}

int64_t scoreMatching(const PieceGraph& graph, const CopyMatching& matching) {
  return matchingScore(countPieces(graph, matching, walkPieces(graph, matching)));
}

}  // namespace paralog::compact
