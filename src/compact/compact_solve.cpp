#include "compact/compact_solve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

#include "compact/compact_model.h"
#include "compact/independent_parts.h"
#include "compact/kicked_search.h"
#include "compact/matching_tree_search.h"
#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "compact/conserved_adjacencies.h"
#include "compact/score_bound.h"
#include "compact/warm_start.h"
#include "solver/solution_check.h"

namespace paralog::compact {
namespace {

constexpr double kNoBound = std::numeric_limits<double>::quiet_NaN();

std::vector<CompactSolveResult::MatchedPair> matchedPairs(const PieceGraph& graph, const CopyMatching& matching) {
  std::vector<CompactSolveResult::MatchedPair> result;
  for (int32_t p : matching.pairs(graph)) {
    const PieceGraph::Copy& a = graph.copies()[graph.pairs()[p].first];
    const PieceGraph::Copy& b = graph.copies()[graph.pairs()[p].second];
    result.push_back({a.name, a.index, b.index});
  }
  return result;
}

// The matching of `graph` that holds the given pairs, found by gene name
// and copy indices. REQUIRES: each is a candidate pair of `graph`, no copy
// in two of them.
CopyMatching matchingOfPairs(const PieceGraph& graph, const std::vector<CompactSolveResult::MatchedPair>& matched) {
  std::map<std::tuple<std::string_view, int32_t, int32_t>, int32_t> pairIndex;
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    const PieceGraph::Copy& a = graph.copies()[graph.pairs()[p].first];
    pairIndex[{a.name, a.index, graph.copies()[graph.pairs()[p].second].index}] = static_cast<int32_t>(p);
  }
  std::vector<int32_t> pairs;
  for (const CompactSolveResult::MatchedPair& pair : matched) {
    pairs.push_back(pairIndex.at({pair.gene, pair.firstIndex, pair.secondIndex}));
  }
  return CopyMatching::of(graph, pairs);
}

double creditedScore(const PieceGraph& graph, const CopyMatching& matching, JoinCredit credit) {
  if (credit == JoinCredit::kOwnPieces) return static_cast<double>(scoreMatching(graph, matching));
  return scoreWithOpenJoins(countPieces(graph, matching, walkPieces(graph, matching)));
}

// What one search of a compact model found: the best matching under the
// model's credit, its credited score, and the bound proved on the model's
// objective (NaN when none was).
struct SearchOutcome {
  CopyMatching matching;
  double score = 0;
  SolutionStatus status = SolutionStatus::kFeasible;
  double bound = kNoBound;
  bool stillRunning = false;
};

// CBC on the compact model of `graph`, looking only for matchings that
// beat `start`: objectives are multiples of 1/2, so its cutoff lies a
// quarter below the start's.
// A run already told to stop makes no model (seconds at genome scale) and
// keeps the start, unproven; a search left running keeps the model (see
// SolveOptions::keptBySearch), so that it is not freed on the way to the answer.
SearchOutcome searchBeyond(const PieceGraph& graph, const CopyMatching& start, bool matchAll, JoinCredit credit,
                           int64_t scoreBound, const SolveOptions& options, const SolveControl& control) {
  if (const std::optional<StopReason> stop = control.stopReason()) {
    SearchOutcome stopped;
    stopped.matching = start;
    stopped.score = creditedScore(graph, start, credit);
    stopped.status = *stop == StopReason::kInterrupted ? SolutionStatus::kInterrupted : SolutionStatus::kTimeLimit;
    return stopped;
  }
  const auto shared = std::make_shared<const CompactModel>(graph, start, matchAll, credit);
  const CompactModel& model = *shared;
  SearchOutcome outcome;
  outcome.matching = start;
  outcome.score = creditedScore(graph, start, credit);
  // The model must give the start its score: a cheap check of model and
  // score against each other before CBC's answer is trusted.
  requireValidSolution(model.program(), model.startValues(graph, start), -outcome.score,
                       "the compact model at the first matching");
  SolveOptions better = options;
  better.cutoff = -outcome.score - 0.25;
  better.keptBySearch = shared;
  // Reported until the root relaxation gives a better one.
  better.knownBound = -static_cast<double>(scoreBound);
  const SolveResult solved = solveWithCbc(model.program(), better, control);
  outcome.status = solved.solution.status;
  outcome.stillRunning = solved.searchStillRunning;
  if (!std::isnan(solved.bestBound)) outcome.bound = std::min(solved.bestBound, -outcome.score);
  if (!solved.solution.values.empty()) {
    CopyMatching found = model.matchingOf(graph, solved.solution.values);
    const double foundScore = creditedScore(graph, found, credit);
    // A solution of the model never claims more than its matching's score.
    const double objective = objectiveAt(model.program(), solved.solution.values);
    if (objective < -foundScore - 1e-6) {
      throw std::logic_error("the compact model's solution claims " + std::to_string(objective) +
                             " for a matching whose score is " + std::to_string(foundScore));
    }
    if (foundScore > outcome.score) {
      outcome.matching = std::move(found);
      outcome.score = foundScore;
    }
  }
  // Nothing better than the start exists: it is optimal.
  if (outcome.status == SolutionStatus::kInfeasible) outcome.status = SolutionStatus::kOptimal;
  if (outcome.status == SolutionStatus::kOptimal) outcome.bound = -outcome.score;
  return outcome;
}

// What the parts of a split give together: a matching of the whole
// genomes, and an upper bound on the whole score (infinite when some part
// was not searched to the end).
struct SplitOutcome {
  CopyMatching matching;
  double upperBound = 0;
  SolutionStatus status = SolutionStatus::kOptimal;
  bool stillRunning = false;
};

// Each part searched for its best score with open joins: the joins across
// parts can add at most what those credits count, so their sum bounds the
// whole score, and the parts' matchings together reach at least the sum of
// their own scores.
SplitOutcome searchParts(const std::vector<GenomePart>& parts, const PieceGraph& graph, bool matchAll,
                         const SolveOptions& options, const SolveControl& control) {
  SplitOutcome split;
  std::vector<CompactSolveResult::MatchedPair> pairs;
  for (const GenomePart& part : parts) {
    const PieceGraph partGraph(part.first, part.second);
    CopyMatching matching = heuristicMatching(partGraph, matchAll);
    const bool searching = split.status == SolutionStatus::kOptimal && !split.stillRunning;
    if (searching) {
      const SearchOutcome outcome =
          searchBeyond(partGraph, matching, matchAll, JoinCredit::kOpenBound,
                       scoreUpperBound(partGraph, control, matchAll), options, control);
      matching = outcome.matching;
      split.upperBound += std::isnan(outcome.bound) ? std::numeric_limits<double>::infinity() : -outcome.bound;
      split.status = outcome.status;
      split.stillRunning = outcome.stillRunning;
    } else {
      split.upperBound = std::numeric_limits<double>::infinity();
    }
    for (const CompactSolveResult::MatchedPair& pair : matchedPairs(partGraph, matching)) pairs.push_back(pair);
  }
  split.matching = matchingOfPairs(graph, pairs);
  return split;
}

// The --match-all optimum (or the best --match-all matching found in the
// first half of the time left): feasible for the default program too, and
// on divergent genomes far better than the default heuristic, which it
// hands to the default search as its start.
CompactSolveResult matchAllStart(const Structure& first, const Structure& second, const CompactSolveRequest& request,
                                 int64_t scoreBound) {
  CompactSolveRequest restricted = request;
  restricted.matchAll = true;
  restricted.heuristic = nullptr;
  restricted.scoreBound = scoreBound;
  // Its bound is the restricted program's, not the default's: say so.
  restricted.options.progressPhase = "--match-all start";
  if (const std::optional<double> left = request.control.secondsLeft()) {
    restricted.control = request.control.endingEarlier(*left / 2);
  }
  return solveCompact(first, second, restricted);
}

// The matching a search starts from, whether the search of the tree of
// matchings proved it optimal, and whether finding it left a CBC search
// running (see SolveResult).
struct Start {
  CopyMatching matching;
  bool proven = false;
  std::optional<int64_t> scoreBound = std::nullopt;  ///< scoreUpperBound, once computed
  bool searchStillRunning = false;
};

// The request's bound on the score of every matching, or scoreUpperBound's
// (seconds at genome scale).
int64_t wholeScoreBound(const PieceGraph& graph, const CompactSolveRequest& request) {
  return request.scoreBound ? *request.scoreBound : scoreUpperBound(graph, request.control, request.matchAll);
}

// The heuristic matching improved by the kicked local search and, for the
// default program, by the search of the tree of matchings, which may also
// prove it optimal.
Start kickedStart(const PieceGraph& graph, const CompactSolveRequest& request) {
  Start start{request.heuristic != nullptr ? matchingOfPairs(graph, *request.heuristic)
                                           : heuristicMatching(graph, request.matchAll)};
  start.matching = kickedSearch(graph, std::move(start.matching), request.matchAll, defaultKickRounds(graph),
                                request.control);
  const int64_t treeNodes = defaultTreeNodes(graph);
  if (!request.treeSearch || treeNodes == 0 || request.control.stopReason()) return start;
  TreeSearchOutcome tree = searchMatchingTree(graph, start.matching, request.matchAll, treeNodes, request.control);
  start.matching = std::move(tree.best);
  start.proven = tree.proven;
  return start;
}

// The matching the search starts from: the kicked start or, for the
// default program, the better of it and the --match-all start.
Start startMatching(const Structure& first, const Structure& second, const PieceGraph& graph,
                    const CompactSolveRequest& request) {
  Start start = kickedStart(graph, request);
  if (start.proven || request.matchAll || !request.startFromMatchAll || request.control.stopReason()) return start;
  // No --match-all matching can beat the start: its search would only cost.
  if (matchAllScoreBound(graph) <= static_cast<double>(scoreMatching(graph, start.matching))) return start;
  // The bound holds for every matching, so for the --match-all search too,
  // whose own bound (its copies held matched) is lower and may rule it out.
  start.scoreBound = wholeScoreBound(graph, request);
  const int64_t matchAllBound = std::min(*start.scoreBound, scoreUpperBound(graph, request.control, true));
  if (matchAllBound <= scoreMatching(graph, start.matching)) return start;
  const CompactSolveResult restricted = matchAllStart(first, second, request, matchAllBound);
  start.searchStillRunning = restricted.searchStillRunning;
  CopyMatching matching = matchingOfPairs(graph, restricted.matching);
  if (scoreMatching(graph, matching) > scoreMatching(graph, start.matching)) start.matching = std::move(matching);
  return start;
}

// The parts' search, when the genomes split: fills `result` and returns
// true when that settles the answer (proved, or no time for the whole);
// otherwise leaves in `best` the better start and in `splitBound` the
// parts' bound (NaN when none).
bool settledByParts(const std::vector<GenomePart>& parts, const PieceGraph& graph, const CompactSolveRequest& request,
                    CopyMatching& best, double& splitBound, CompactSolveResult& result) {
  const SplitOutcome split = searchParts(parts, graph, request.matchAll, request.options, request.control);
  const int64_t splitScore = scoreMatching(graph, split.matching);
  if (splitScore > result.score) {
    best = split.matching;
    result.score = splitScore;
  }
  // Scores are whole numbers.
  if (std::isfinite(split.upperBound)) splitBound = -std::floor(split.upperBound + 1e-9);
  result.status = split.status;
  result.searchStillRunning = result.searchStillRunning || split.stillRunning;
  const bool proven = split.status == SolutionStatus::kOptimal && -splitBound <= static_cast<double>(result.score);
  if (!proven && split.status == SolutionStatus::kOptimal) return false;
  result.provenByParts = proven;
  if (proven) result.bestBound = -static_cast<double>(result.score);
  else result.bestBound = std::isnan(splitBound) ? kNoBound : std::min(splitBound, -static_cast<double>(result.score));
  result.matching = matchedPairs(graph, best);
  return true;
}

}  // namespace

CompactSolveResult solveCompact(const Structure& first, const Structure& second, const CompactSolveRequest& request) {
  const PieceGraph graph(first, second);
  const Start start = startMatching(first, second, graph, request);
  CopyMatching best = start.matching;
  CompactSolveResult result;
  result.heuristicScore = scoreMatching(graph, best);
  result.score = result.heuristicScore;
  double splitBound = kNoBound;
  const std::vector<GenomePart> parts = request.partSplit == PartSplit::kIndependentParts
                                            ? independentParts(first, second)
                                            : std::vector<GenomePart>{};
  result.searchStillRunning = start.searchStillRunning;
  result.parts = static_cast<int32_t>(std::max<size_t>(parts.size(), 1));
  if (start.proven) {
    result.status = SolutionStatus::kOptimal;
    result.bestBound = -static_cast<double>(result.score);
    result.matching = matchedPairs(graph, best);
    return result;
  }
  if (parts.size() > 1 && settledByParts(parts, graph, request, best, splitBound, result)) return result;
  const SearchOutcome joint =
      searchBeyond(graph, best, request.matchAll, JoinCredit::kOwnPieces,
                   start.scoreBound ? *start.scoreBound : wholeScoreBound(graph, request), request.options,
                   request.control);
  result.score = static_cast<int64_t>(joint.score);
  result.status = joint.status;
  result.searchStillRunning = joint.stillRunning || start.searchStillRunning;
  result.bestBound = joint.bound;
  if (!std::isnan(splitBound) && (std::isnan(joint.bound) || splitBound > joint.bound)) {
    result.bestBound = splitBound;
  }
  // The parts' bound may prove what the search had no time to.
  if (result.bestBound == -static_cast<double>(result.score) && result.status != SolutionStatus::kInterrupted) {
    result.status = SolutionStatus::kOptimal;
  }
  result.matching = matchedPairs(graph, joint.matching);
  return result;
}

std::vector<CompactSolveResult::MatchedPair> heuristicPairs(const Structure& first, const Structure& second,
                                                            bool matchAll) {
  const PieceGraph graph(first, second);
  return matchedPairs(graph, heuristicMatching(graph, matchAll));
}

}  // namespace paralog::compact
