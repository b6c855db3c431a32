#ifndef PARALOG_COMPACT_CUT_BOUND_H
#define PARALOG_COMPACT_CUT_BOUND_H

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "compact/credit_cut.h"
#include "compact/partial_matching_bound.h"

#include "compact/piece_graph.h"
#include "solver/solve_control.h"

namespace paralog::compact {

/// An upper bound on the score of every matching of `graph`, under either
/// join credit of the compact model: a count like the refined one
/// (score_bound.h) whose matched pairs and nodes that need the extra are
/// counted at once over every copy's state, matched or not, by minimum
/// cuts, each family's matched copies balanced between the genomes by
/// Lagrange multipliers (docs/compact-model.md, "The cut bound"). Each
/// cut takes well under a second at genome scale; `control` is polled
/// during the cuts, and a stop ends it with the best bound found so far
/// (none before the first cut ends). With `matchAll`, over the matchings of
/// the --match-all program only: the copies that each of them matches are
/// held matched.
std::optional<int64_t> cutScoreBound(const PieceGraph& graph, const SolveControl& control, bool matchAll = false);

/// What the cut bound is made of, in halves: at least the most, over every
/// matching M, of 2 |M| + the nodes in conserved adjacencies (cycles of two
/// links) + 2 per adjacency node alone as a piece with both ends free (not
/// a shared node of the first genome). Polls `control` as cutScoreBound
/// does.
std::optional<int64_t> mostCutCredit(const PieceGraph& graph, const SolveControl& control);

/// The cut bound of one graph, kept for many evaluations, over every
/// matching or over those that complete a partial one (each copy it
/// decides matched or unmatched as there); with `matchAll`, over the
/// matchings of the --match-all program only. The Lagrange multipliers of the
/// last evaluation are where the next one starts, so evaluations of
/// similar partial matchings in a row need few cuts.
///
/// Does not own `graph`, which must outlive it. Keeps scratch space, so one
/// object serves one thread.
class CutBound {
 public:
  explicit CutBound(const PieceGraph& graph, bool matchAll = false);
  ~CutBound();
  CutBound(const CutBound&) = delete;
  CutBound& operator=(const CutBound&) = delete;

  /// The bound on the score of every matching that completes `partial`
  /// (every matching when null), after at most `rounds` cuts; none when
  /// `control` says stop before the first cut ends.
  /// REQUIRES: `partial`, when given, has a decision per copy of the graph
  /// and decides both copies of each pair it matches.
  std::optional<int64_t> operator()(const PartialMatching* partial, int rounds, const SolveControl& control);
  /// The bound on the score of every matching that completes `partial`,
  /// with the pieces it closes (`closed`, PartialMatchingBound::closed() of
  /// the same partial matching) counted at what they earn instead of by
  /// their shares; none when `control` says stop first. Takes no more cuts
  /// once the bound is `enough` or less, when given.
  std::optional<int64_t> operator()(const PartialMatching& partial, const ClosedPieces& closed, int rounds,
                                    const SolveControl& control, std::optional<int64_t> enough = std::nullopt);
  /// Whether a bound of so many halves is low enough to take no more cuts.
  using EnoughHalves = std::function<bool(int64_t)>;
  /// What the bound is made of, in halves (mostCutCredit).
  std::optional<int64_t> mostHalves(const PartialMatching* partial, int rounds, const SolveControl& control,
                                    const EnoughHalves& enough = nullptr);

  /// Whether the best cut of the last evaluation has `copy` matched.
  bool matchedInLastCut(int32_t copy) const;

  /// The 0/1 "matched" variables of the cut and how copies share them.
  struct CopyStates;

 private:
  void holdDecisions(const PartialMatching* partial);
  std::optional<int64_t> mostCredit(int rounds, const SolveControl& control, const EnoughHalves& enough);

  const PieceGraph& graph_;
  std::unique_ptr<const CopyStates> states_;
  CreditCut cut_;
  int64_t always_ = 0;              ///< nodes alone whatever the matching
  std::vector<int64_t> multiplier_;  ///< per family
  std::vector<int8_t> held_;         ///< per variable: the value held, or -1
  std::vector<int8_t> alwaysHeld_;   ///< per variable: 1 when every matching searched matches it, else -1
  std::vector<char> bestValues_;     ///< per variable: the last evaluation's best cut
  std::vector<char> conservedCredit_;  ///< per node: whether it earns a credit as a conserved adjacency
  std::vector<char> paying_;   ///< per node: a shared first-genome node that pays for its twin alone
  std::vector<char> paidFor_;  ///< per node: a second-genome node whose credit alone its twin pays
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_CUT_BOUND_H
