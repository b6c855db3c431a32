// The values that a matching gives every column of the compact model: the
// solver's first solution, and the check that model and score agree.
#include <algorithm>

#include "compact/compact_model.h"

namespace paralog::compact {
namespace {

void setKind(std::vector<double>& values, const CompactModel::EndColumns& end, PieceEnd kind) {
  values[end.kindTelomere] = kind == PieceEnd::kTelomere ? 1 : 0;
  values[end.kindFirst] = kind == PieceEnd::kFreeFirst ? 1 : 0;
}

}  // namespace

std::vector<double> CompactModel::startValues(const PieceGraph& graph, const CopyMatching& matching) const {
  std::vector<double> values(program_.variables().size(), 0.0);
  for (int32_t pair : matching.pairs(graph)) values[pairColumn_[pair]] = 1;
  const PieceWalk walk = walkPieces(graph, matching);
  for (size_t c = 0; c < deadColumn_.size(); ++c) {
    if (deadColumn_[c] >= 0) values[deadColumn_[c]] = walk.deadChromosome[c];
  }
  for (int32_t e = 0; e < graph.extremityCount(); ++e) {
    const PieceGraph::Copy& copy = graph.copies()[PieceGraph::copyOf(e)];
    if (walk.deadChromosome[copy.chromosome] != 0) {
      setKind(values, ends_[e], copy.genome == 0 ? PieceEnd::kFreeFirst : PieceEnd::kFreeSecond);
    }
  }
  for (const Piece& piece : walk.pieces) setPieceValues(graph, matching, piece, values);
  for (const ConservedMarker& marker : conserved_) {
    values[marker.column] =
        std::min(values[pairColumn_[marker.adjacency.pair]], values[pairColumn_[marker.adjacency.otherPair]]);
  }
  if (credit_ == JoinCredit::kOpenBound) return values;
  const JoinPlan plan = bestJoins(countPieces(graph, matching, walk));
  values[pairedCycles_] = static_cast<double>(plan.pairedCycles);
  values[evenPairs_[0]] = static_cast<double>(plan.evenPairs[0]);
  values[evenPairs_[1]] = static_cast<double>(plan.evenPairs[1]);
  if (plan.evenTriple) {
    for (int i = 0; i < 4; ++i) {
      if (plan.tripleParities[0] == (i >= 2 ? 1 : 0) && plan.tripleParities[1] == (i % 2 == 1 ? 1 : 0)) {
        values[triples_[i]] = 1;
      }
    }
  }
  return values;
}

void CompactModel::setCycleValues(const PieceGraph& graph, const Piece& cycle, std::vector<double>& values) const {
  const auto& nodes = graph.nodes();
  int32_t lowest = cycle.steps[0].node;
  for (const Piece::Step& step : cycle.steps) {
    if (number_[step.node] < number_[lowest]) lowest = step.node;
  }
  for (const Piece::Step& step : cycle.steps) {
    values[labelColumn_[step.node]] = number_[lowest];
    for (int32_t e : nodes[step.node].ends) {
      setKind(values, ends_[e], PieceEnd::kTelomere);
      values[ends_[e].oddFlips] = 0.5;
    }
  }
  values[cycleColumn_[lowest]] = 1;
}

void CompactModel::setPieceValues(const PieceGraph& graph, const CopyMatching& matching, const Piece& piece,
                                  std::vector<double>& values) const {
  if (piece.cycle) {
    setCycleValues(graph, piece, values);
    return;
  }
  const auto& nodes = graph.nodes();
  // Walking out by a step's "out" end leads to the finish, by its "in" end
  // back to the start; count the flips on either side.
  const size_t n = piece.steps.size();
  std::vector<int32_t> flipsBefore(n + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    flipsBefore[i + 1] = flipsBefore[i] + (nodes[piece.steps[i].node].telomere() ? 0 : 1);
  }
  for (size_t i = 0; i < n; ++i) {
    const Piece::Step& step = piece.steps[i];
    if (step.out >= 0) {
      setKind(values, ends_[step.out], piece.finish);
      values[ends_[step.out].oddFlips] = (flipsBefore[n] - flipsBefore[i + 1]) % 2;
    }
    if (step.in >= 0) {
      setKind(values, ends_[step.in], piece.start);
      values[ends_[step.in].oddFlips] = flipsBefore[i] % 2;
    }
  }
  const int parity = piece.flips % 2;
  auto classify = [&](int32_t e, PieceEnd far) {
    const EndColumns& end = ends_[e];
    const bool first = graph.copies()[PieceGraph::copyOf(e)].genome == 0;
    const PieceEnd own = first ? PieceEnd::kFreeFirst : PieceEnd::kFreeSecond;
    if (far == PieceEnd::kTelomere) {
      values[parity == 0 ? end.telomereEven : end.telomereOdd] = 1;
    } else if (far == own) {
      const int32_t other = graph.otherEnd(e);
      const bool lonelyShared = n == 1 && graph.sharedFirstNode(graph.nodeOf(e)) &&
                                matching.pairOfCopy[PieceGraph::copyOf(other)] < 0;
      if (!lonelyShared && end.closed >= 0) values[end.closed] = 1;
    } else if (first) {
      values[parity == 0 ? end.bothEven : end.bothOdd] = 1;
    }
  };
  const Piece::Step& head = piece.steps.front();
  const Piece::Step& tail = piece.steps.back();
  if (piece.start != PieceEnd::kTelomere) classify(head.in, piece.finish);
  if (piece.finish != PieceEnd::kTelomere) classify(tail.out, piece.start);
  if (piece.start == PieceEnd::kTelomere && piece.finish == PieceEnd::kTelomere && parity == 0) {
    for (const Piece::Step* step : {&head, &tail}) {
      const int32_t e = step == &head ? step->out : step->in;
      if (e >= 0 && ends_[e].telomerePath >= 0 && matching.pairOfCopy[PieceGraph::copyOf(e)] >= 0) {
        values[ends_[e].telomerePath] = 1;
      }
    }
  }
}

}  // namespace paralog::compact
