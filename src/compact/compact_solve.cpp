#include "compact/compact_solve.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "compact/compact_model.h"
#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "compact/warm_start.h"
#include "solve/solution_check.h"

namespace paralog {
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

CompactSolveResult solveCompact(const Structure& first, const Structure& second, const SolveOptions& options) {
  const PieceGraph graph(first, second);
  const CompactModel model(graph);
  CopyMatching best = heuristicMatching(graph);
  const int64_t heuristicScore = scoreMatching(graph, best);
  const std::vector<double> start = model.startValues(graph, best);

  SolveOptions withStart = options;
  if (std::getenv("PARALOG_NO_START") == nullptr) withStart.start = &start;
  const SolveResult solved = solveWithCbc(model.program(), withStart);

  CompactSolveResult result;
  result.heuristicScore = heuristicScore;
  result.score = heuristicScore;
  result.status = solved.solution.status;
  result.bestBound = solved.bestBound;
  if (!solved.solution.values.empty()) {
    CopyMatching found = model.matchingOf(graph, solved.solution.values);
    const int64_t foundScore = scoreMatching(graph, found);
    // A solution of the model never claims more than its matching's score;
    // it may claim less (CBC hands back the values it found itself even
    // when the first solution, which it could not beat, was better).
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
  if (result.status == SolutionStatus::kInfeasible) {
    throw std::logic_error("CBC found the compact model infeasible, which it never is");
  }
  if (result.status == SolutionStatus::kOptimal) result.bestBound = -static_cast<double>(result.score);
  result.matching = matchedPairs(graph, best);
  return result;
}

}  // namespace paralog
