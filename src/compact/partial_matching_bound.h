#ifndef PARALOG_COMPACT_PARTIAL_MATCHING_BOUND_H
#define PARALOG_COMPACT_PARTIAL_MATCHING_BOUND_H

#include <cstdint>
#include <vector>

#include "compact/piece_graph.h"

namespace paralog::compact {

/// A matching under construction: for every copy the candidate pair that
/// matches it, kUnmatched, or kUndecided. A decided pair is written on both
/// of its copies.
struct PartialMatching {
  static constexpr int32_t kUndecided = -2;
  static constexpr int32_t kUnmatched = -1;
  std::vector<int32_t> decision;
};

/// What a partial matching's decided pairs settle: the pieces they close
/// for good (cycles, and paths whose two ends are telomeres or free ends),
/// the dead chromosomes, and how much the open segments' shares may claim
/// beyond what any piece earns.
struct ClosedPieces {
  double value = 0;          ///< what they earn, with the open-join credit and dead rewards
  int64_t nodes = 0;
  int64_t freeEnds = 0;
  /// Adjacency nodes alone with both ends free, shared first-genome ones
  /// and those of dead chromosomes included.
  std::vector<int32_t> aloneNodes;
  /// Over the other segments (not on a chromosome that may still die), by
  /// how many quarters 1/2 per node and 1/4 per free end exceed what a
  /// piece through the segment can earn (2, or 1 with a telomere).
  int64_t excessQuarters = 0;
  std::vector<int32_t> twoNodeCycles;  ///< nodes of closed cycles of two links
  std::vector<char> closedNode;        ///< by node: in a closed piece or on a dead chromosome
};

/// An upper bound on the score of every matching that completes a partial
/// one: the pieces its decided pairs close are counted at what they earn
/// (with the open-join credit of scoreWithOpenJoins), the rest by the
/// shares of the counting bound (1/2 per node, 1/2 per free end, 1/2 more
/// per node that may still end alone or in a conserved adjacency, and at
/// most 2 per piece, 1 for a piece that reaches a telomere), and every
/// undecided copy by 1. With every copy decided it is the matching's
/// scoreWithOpenJoins. docs/compact-model.md ("An exhaustive search for
/// small pairs") gives the argument.
///
/// Does not own `graph`, which must outlive it. Keeps scratch space, so one
/// object serves one thread.
class PartialMatchingBound {
 public:
  explicit PartialMatchingBound(const PieceGraph& graph);

  /// REQUIRES: `partial` has a decision per copy of the graph, and every
  /// pair it decides is a candidate pair written on both of its copies.
  double operator()(const PartialMatching& partial);

  /// What the last call's partial matching closes for good.
  const ClosedPieces& closed() const { return closed_; }

  /// Whether some matching makes `node` a conserved adjacency.
  bool mayBeConserved(int32_t node) const { return !conserved_[node].empty(); }

 private:
  /// A node of the other genome that a node's two ends could form a
  /// conserved adjacency with, and the two pairs that would link them.
  struct ConservedOption {
    int32_t node;
    int32_t pairs[2];
  };
  /// What one walk along the decided links from a node found.
  struct Segment;

  void addConservedOptions(int32_t node);
  void addClosed(int32_t node, const Segment& segment, double value);
  Segment walkSegment(int32_t node, const PartialMatching& partial);
  /// Follows the links from `node` out by extremity `out` to the end of the
  /// segment (or back to the start of a cycle), adding to `segment`.
  void walkFrom(int32_t node, int32_t out, int32_t start, const PartialMatching& partial, Segment& segment);
  bool mayEndConserved(int32_t node, const PartialMatching& partial) const;
  bool pairAllowed(int32_t pair, const PartialMatching& partial) const;
  int chromosomeStatus(int32_t chromosome) const;

  const PieceGraph& graph_;
  std::vector<std::vector<ConservedOption>> conserved_;  ///< by node
  std::vector<uint32_t> seen_;                           ///< by node: the call that walked it
  uint32_t call_ = 0;
  std::vector<int32_t> segmentNodes_;
  std::vector<int32_t> matchedOn_;    ///< by chromosome, this call's decided matched copies
  std::vector<int32_t> undecidedOn_;  ///< by chromosome, this call's undecided copies
  ClosedPieces closed_;
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_PARTIAL_MATCHING_BOUND_H
