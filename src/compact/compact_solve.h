#ifndef PARALOG_COMPACT_COMPACT_SOLVE_H
#define PARALOG_COMPACT_COMPACT_SOLVE_H

#include <cstdint>
#include <optional>
#include <vector>

#include "genome/genome.h"
#include "solver/embedded_cbc.h"
#include "solver/solve_control.h"
#include "solver/solution.h"

namespace paralog::compact {

/// What the compact solve found: the best matching (candidate pairs as
/// (gene, first copy index, second copy index) views into the structures),
/// its score, how far the search got and the bound it proved on the whole
/// program's objective (a minimum, so never above minus the score).
struct CompactSolveResult {
  struct MatchedPair {
    std::string_view gene;
    int32_t firstIndex = 0;
    int32_t secondIndex = 0;
  };
  std::vector<MatchedPair> matching;
  int64_t score = 0;  ///< the whole program's objective for the matching is -score
  SolutionStatus status = SolutionStatus::kFeasible;
  double bestBound = 0;
  /// Score of the matching CBC had to beat: the heuristic's or, by
  /// default, the better of it and the --match-all search's.
  int64_t heuristicScore = 0;
  /// CBC did not come back when told to stop (see SolveResult).
  bool searchStillRunning = false;
  int32_t parts = 1;           ///< independent parts the genomes split into
  bool provenByParts = false;  ///< the parts' own searches proved the optimum

};

/// Whether the solve first takes apart the genomes that no candidate pair
/// links (see independentParts).
enum class PartSplit { kIndependentParts, kWhole };

/// Everything one compact solve is asked, in one value; each field's
/// default is what a plain exact solve uses.
struct CompactSolveRequest {
  /// CBC's settings: threads, progress lines, the time limit's value.
  SolveOptions options;
  /// Only matchings in which every family matches as many pairs as its
  /// smaller side has copies count (the --match-all program).
  bool matchAll = false;
  /// Stops CBC's searches (deadline, stop request) and the kicked local
  /// search that improves the heuristic matching (which then keeps what it
  /// has); the --match-all start gets half the time left.
  SolveControl control = SolveControl(std::nullopt, nullptr);
  /// Genomes in several independent parts are searched part by part first
  /// (see solveCompact); kWhole searches them as one.
  PartSplit partSplit = PartSplit::kIndependentParts;
  /// Without matchAll: search the --match-all program first (to its end,
  /// or for half the time left) and start from the better of its matching
  /// and the heuristic one. False starts from the heuristic one alone.
  bool startFromMatchAll = true;
  /// Search the tree of matchings first (searchMatchingTree, a fixed
  /// budget of up to a few seconds), which proves the optimum of pairs of a
  /// few dozen genes without a model; CBC searches only when it gives up.
  /// False leaves every proof to CBC.
  bool treeSearch = true;
  /// An upper bound on the score of every matching of these genomes (of
  /// the --match-all program's, with matchAll; scoreUpperBound), when the
  /// caller has it, so that it is not
  /// computed again; reported as the search's bound until CBC proves a
  /// better one.
  std::optional<int64_t> scoreBound;
  /// What heuristicPairs returned for these genomes and this matchAll,
  /// when the caller has it, so that it is not computed again; not owned,
  /// must outlive the call. Null: solveCompact computes it.
  const std::vector<CompactSolveResult::MatchedPair>* heuristic = nullptr;
};

/// Solves the compact model of the two genomes with the embedded CBC: finds
/// a heuristic matching first, then lets CBC search only for better ones
/// (its cutoff). The matching reported is CBC's best or, if it found none
/// better, the heuristic one; `status` is optimal only when CBC proved the
/// compact model's optimum (or proved that nothing beats the heuristic).
/// REQUIRES: compactModelApplies(first, second). `first` and `second` must
/// outlive the result, which views their gene names.
/// Without matchAll, the --match-all program is searched first: its
/// matchings are the default program's too (a restriction of it), and on
/// divergent genomes its optimum, proved fast, beats the heuristic.
/// Genomes in several independent parts are searched part by part first,
/// each with the joins to other parts credited at their most: when the
/// parts' matchings together reach the sum of those bounds they are
/// optimal; otherwise the whole compact model is searched from the better
/// of them and the heuristic matching, and the parts' bound stays in force.
CompactSolveResult solveCompact(const Structure& first, const Structure& second,
                                const CompactSolveRequest& request = CompactSolveRequest{});

/// The heuristic matching that solveCompact starts from (REQUIRES and
/// lifetimes as there), for a caller that needs it before the search.
std::vector<CompactSolveResult::MatchedPair> heuristicPairs(const Structure& first, const Structure& second,
                                                            bool matchAll);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_COMPACT_SOLVE_H
