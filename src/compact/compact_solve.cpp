#include "compact/compact_solve.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "compact/compact_model.h"
#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "compact/warm_start.h"
#include "solve/solution_check.h"

namespace paralog::compact {
namespace {

std::vector<CompactSolveResult::MatchedPair> matchedPairs(const PieceGraph& graph, const CopyMatching& matching) {
  std::vector<CompactSolveResult::MatchedPair> result;
  for (int32_t p : matching.pairs(graph)) {
    const PieceGraph::Copy& a = graph.copies()[graph.pairs()[p].first];
    const PieceGraph::Copy& b = graph.copies()[graph.pairs()[p].second];
    result.push_back({a.name, a.index, b.index});
  }
  return result;
}

}  // namespace

CompactSolveResult solveCompact(const Structure& first, const Structure& second, const SolveOptions& options,
                                bool matchAll, const SolveControl& control) {
  const PieceGraph graph(first, second);
  CopyMatching best = heuristicMatching(graph, matchAll);
  const CompactModel model(graph, best, matchAll);
  const int64_t heuristicScore = scoreMatching(graph, best);
  // The model must give the heuristic matching its score: a cheap check of
  // model and score against each other before CBC's answer is trusted.
  requireValidSolution(model.program(), model.startValues(graph, best), -static_cast<double>(heuristicScore),
                       "the compact model at the heuristic matching");

  // CBC looks only for matchings better than the heuristic one; objectives
  // are multiples of 1/2.
  SolveOptions better = options;
  better.cutoff = -static_cast<double>(heuristicScore) - 0.25;
  const SolveResult solved = solveWithCbc(model.program(), better, control);

  CompactSolveResult result;
  result.heuristicScore = heuristicScore;
  result.score = heuristicScore;
  result.status = solved.solution.status;
  result.searchStillRunning = solved.searchStillRunning;
  // A search left running before its first event proved no bound (NaN):
  // none is reported.
  result.bestBound = std::isnan(solved.bestBound) ? solved.bestBound
                                                  : std::min(solved.bestBound, -static_cast<double>(heuristicScore));
  if (!solved.solution.values.empty()) {
    CopyMatching found = model.matchingOf(graph, solved.solution.values);
    const int64_t foundScore = scoreMatching(graph, found);
    // A solution of the model never claims more than its matching's score.
    const double objective = objectiveAt(model.program(), solved.solution.values);
    if (objective < -static_cast<double>(foundScore) - 1e-6) {
      throw std::logic_error("the compact model's solution claims " + std::to_string(objective) +
                             " for a matching whose score is " + std::to_string(foundScore));
    }
    if (foundScore > result.score) {
      best = std::move(found);
      result.score = foundScore;
    }
  }
  // Nothing better than the heuristic matching exists: it is optimal.
  if (result.status == SolutionStatus::kInfeasible) result.status = SolutionStatus::kOptimal;
  if (result.status == SolutionStatus::kOptimal) result.bestBound = -static_cast<double>(result.score);
  result.matching = matchedPairs(graph, best);
  return result;
}

std::vector<CompactSolveResult::MatchedPair> heuristicPairs(const Structure& first, const Structure& second,
                                                            bool matchAll) {
  const PieceGraph graph(first, second);
  return matchedPairs(graph, heuristicMatching(graph, matchAll));
}

}  // namespace paralog::compact
