#ifndef PARALOG_COMPACT_INCREMENTAL_SCORE_H
#define PARALOG_COMPACT_INCREMENTAL_SCORE_H

#include <cstdint>
#include <utility>
#include <vector>

#include "compact/piece_graph.h"
#include "compact/piece_walk.h"

namespace paralog::compact {

/// The score of a matching kept up to date under small changes: a change of
/// a few copies' partners walks again only the pieces through the nodes of
/// those copies, so a local search pays for what a change touches, not for
/// the whole graph. A change that makes a circular chromosome dead or alive
/// (it touches all the chromosome's nodes) is counted again in full.
///
/// Does not own `graph`, which must outlive it. Not thread-safe.
class IncrementalScore {
 public:
  IncrementalScore(const PieceGraph& graph, CopyMatching matching);

  const CopyMatching& matching() const { return matching_; }
  int64_t score() const { return score_; }

  /// A change of the matching: new partner pairs (-1: unmatched) for some
  /// copies. REQUIRES: the result is a matching (both copies of a pair
  /// name it, or neither does).
  using Change = std::vector<std::pair<int32_t, int32_t>>;

  /// Applies `change` when it raises the score and returns true; otherwise
  /// leaves the matching and the score as they were. When it applies the
  /// change and `undo` is given, `*undo` becomes the change that restores
  /// the matching before it.
  bool applyIfBetter(const Change& change, Change* undo = nullptr);

  /// Applies `change` whatever it does to the score; returns the change
  /// that restores the matching before it.
  Change apply(const Change& change);

 private:
  Change undoOf(const Change& change) const;
  void setPartners(const Change& change);
  bool changesDeadChromosome(const Change& change) const;
  void recountAll();
  /// Adds `sign` times the pieces through the nodes of the changed copies,
  /// each piece once.
  void countAround(const Change& change, int sign);
  void countPieceThrough(int32_t node, int sign);
  bool free(int32_t extremity) const;
  bool dead(int32_t chromosome) const;

  const PieceGraph& graph_;
  CopyMatching matching_;
  std::vector<int32_t> matchedOnChromosome_;
  PieceCounts counts_;
  int64_t score_ = 0;
  std::vector<uint32_t> seen_;  ///< by node: the walk generation that last passed it
  uint32_t generation_ = 0;
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_INCREMENTAL_SCORE_H
