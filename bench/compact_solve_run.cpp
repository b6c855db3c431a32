// Solves the compact model of an input file's first two genomes and prints
// one tab-separated line: heuristic score, seconds the heuristic took alone,
// status, seconds, objective, bound, gap in percent, parts, whether the
// parts alone proved the optimum, processor seconds of the solve.
//   paralog_compact_solve FILE [TIME_LIMIT_SECONDS]
// PARALOG_HEURISTIC_ONLY=1 prints the greedy heuristic's score and seconds
// and the kicked local search's after it, and searches no further.
// PARALOG_WHOLE=1 solves without taking the genomes apart first,
// PARALOG_NO_TREE=1 leaves the proof of small pairs to CBC,
// PARALOG_MATCH_ALL=1 solves the --match-all program, PARALOG_HEURISTIC_START=1
// starts the default search from the heuristic matching alone,
// PARALOG_CBC_ARGS="-cuts off ..." appends CBC settings to the search's own.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <sstream>

#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include "compact/compact_model.h"
#include "compact/compact_solve.h"
#include "compact/kicked_search.h"
#include "compact/matching_tree_search.h"
#include "compact/partial_matching_bound.h"
#include "compact/piece_graph.h"
#include "compact/warm_start.h"
#include "solver/relative_gap.h"
#include "pair_file.h"

namespace {

// Writes the compact model in LP format, for a look at it with other solvers.
void writeModel(const paralog::LinearProgram& program, const char* path) {
  OsiClpSolverInterface solver;
  const double infinity = solver.getInfinity();
  std::vector<double> lower, upper, objective, rowLower, rowUpper;
  for (const auto& variable : program.variables()) {
    lower.push_back(variable.lower);
    upper.push_back(std::isinf(variable.upper) ? infinity : variable.upper);
    objective.push_back(variable.objective);
  }
  CoinPackedMatrix matrix(false, 0, 0);
  matrix.setDimensions(0, static_cast<int>(program.variables().size()));
  for (const auto& row : program.rows()) {
    std::vector<int> indices;
    std::vector<double> elements;
    for (const auto& [index, coefficient] : row.terms) {
      indices.push_back(index);
      elements.push_back(coefficient);
    }
    matrix.appendRow(static_cast<int>(indices.size()), indices.data(), elements.data());
    rowLower.push_back(row.relation == paralog::Relation::kLessEqual ? -infinity : row.rhs);
    rowUpper.push_back(row.relation == paralog::Relation::kGreaterEqual ? infinity : row.rhs);
  }
  solver.loadProblem(matrix, lower.data(), upper.data(), objective.data(), rowLower.data(), rowUpper.data());
  for (size_t i = 0; i < program.variables().size(); ++i) {
    if (program.variables()[i].kind != paralog::VariableKind::kContinuous) solver.setInteger(static_cast<int>(i));
  }
  for (size_t i = 0; i < program.variables().size(); ++i) solver.setColName(static_cast<int>(i), program.variables()[i].name);
  solver.writeLp(path);
}

// PARALOG_HEURISTIC_ONLY: the greedy heuristic's score, the kicked local
// search's from it, and the seconds of each, without any CBC search.
void reportHeuristics(const paralog::Structure& first, const paralog::Structure& second, bool matchAll) {
  const paralog::compact::PieceGraph graph(first, second);
  const auto start = std::chrono::steady_clock::now();
  paralog::compact::CopyMatching matching = paralog::compact::heuristicMatching(graph, matchAll);
  const auto greedy = std::chrono::steady_clock::now();
  const int64_t greedyScore = paralog::compact::scoreMatching(graph, matching);
  const paralog::SolveControl control(std::nullopt, nullptr);
  matching = paralog::compact::kickedSearch(graph, std::move(matching), matchAll,
                                            paralog::compact::defaultKickRounds(graph), control);
  const auto kicked = std::chrono::steady_clock::now();
  std::printf("%lld\t%.2f\t%lld\t%.2f\n", static_cast<long long>(greedyScore),
              std::chrono::duration<double>(greedy - start).count(),
              static_cast<long long>(paralog::compact::scoreMatching(graph, matching)),
              std::chrono::duration<double>(kicked - greedy).count());
}

// PARALOG_TREE_NODES=N (with PARALOG_MATCH_ALL, over the --match-all
// program's matchings): the kicked start's score, then the tree search's
// from it with a budget of N nodes: score, proven or not, nodes, seconds.
void reportTreeSearch(const paralog::Structure& first, const paralog::Structure& second, int64_t nodes) {
  const paralog::compact::PieceGraph graph(first, second);
  const paralog::SolveControl control(std::nullopt, nullptr);
  const bool matchAll = std::getenv("PARALOG_MATCH_ALL") != nullptr;
  paralog::compact::CopyMatching matching = paralog::compact::kickedSearch(
      graph, paralog::compact::heuristicMatching(graph, matchAll), matchAll,
      paralog::compact::defaultKickRounds(graph), control);
  if (std::getenv("PARALOG_DEBUG")) {
    paralog::compact::PartialMatchingBound bound(graph);
    paralog::compact::PartialMatching partial;
    partial.decision.assign(graph.copies().size(), paralog::compact::PartialMatching::kUndecided);
    std::fprintf(stderr, "root %.1f, default budget %lld nodes\n", bound(partial),
                 static_cast<long long>(paralog::compact::defaultTreeNodes(graph)));
  }
  const auto start = std::chrono::steady_clock::now();
  const paralog::compact::TreeSearchOutcome outcome =
      paralog::compact::searchMatchingTree(graph, matching, matchAll, nodes, control);
  std::printf("%lld\t%lld\t%s\t%lld\t%.2f\n", static_cast<long long>(paralog::compact::scoreMatching(graph, matching)),
              static_cast<long long>(outcome.score), outcome.proven ? "proven" : "unproven",
              static_cast<long long>(outcome.treeNodes),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// CBC's settings from PARALOG_PROGRESS (progress lines on standard error)
// and PARALOG_CBC_ARGS (more of CBC's command-line settings).
paralog::SolveOptions optionsFromEnvironment() {
  paralog::SolveOptions options;
  if (std::getenv("PARALOG_PROGRESS") != nullptr) options.progress = &std::cerr;
  if (const char* extra = std::getenv("PARALOG_CBC_ARGS")) {
    std::istringstream words(extra);
    for (std::string word; words >> word;) options.extraCbcArguments.push_back(word);
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: paralog_compact_solve FILE [TIME_LIMIT_SECONDS]\n";
    return 2;
  }
  try {
    const std::vector<paralog::Structure> structures = paralog::bench::readPairFile(argv[1]);
    if (const char* path = std::getenv("PARALOG_WRITE_COMPACT")) {
      const paralog::compact::PieceGraph graph(structures[0], structures[1]);
      const bool matchAll = std::getenv("PARALOG_MATCH_ALL") != nullptr;
      writeModel(paralog::compact::CompactModel(graph, paralog::compact::heuristicMatching(graph, matchAll), matchAll)
                     .program(),
                 path);
    }
    if (const char* nodes = std::getenv("PARALOG_TREE_NODES")) {
      reportTreeSearch(structures[0], structures[1], std::strtoll(nodes, nullptr, 10));
      return 0;
    }
    if (std::getenv("PARALOG_HEURISTIC_ONLY") != nullptr) {
      reportHeuristics(structures[0], structures[1], std::getenv("PARALOG_MATCH_ALL") != nullptr);
      return 0;
    }
    const auto heuristicStart = std::chrono::steady_clock::now();
    {
      const paralog::compact::PieceGraph graph(structures[0], structures[1]);
      paralog::compact::heuristicMatching(graph);
    }
    const double heuristicSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - heuristicStart).count();
    paralog::SolveOptions options = optionsFromEnvironment();
    std::optional<double> limit;
    if (argc > 2) limit = options.timeLimitSeconds = std::strtod(argv[2], nullptr);
    const paralog::SolveControl control(limit, nullptr);
    const auto solveStart = std::chrono::steady_clock::now();
    paralog::compact::CompactSolveRequest request;
    request.options = options;
    request.control = control;
    request.matchAll = std::getenv("PARALOG_MATCH_ALL") != nullptr;
    request.startFromMatchAll = std::getenv("PARALOG_HEURISTIC_START") == nullptr;
    if (std::getenv("PARALOG_WHOLE") != nullptr) request.partSplit = paralog::compact::PartSplit::kWhole;
    request.treeSearch = std::getenv("PARALOG_NO_TREE") == nullptr;
    const std::clock_t cpuStart = std::clock();
    const paralog::compact::CompactSolveResult result = paralog::compact::solveCompact(structures[0], structures[1], request);
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - solveStart).count();
    const double objective = -static_cast<double>(result.score);
    const double gap = paralog::relativeGapPercent(objective, result.bestBound);
    std::printf("%lld\t%.2f\t%s\t%.2f\t%.0f\t%.2f\t%.2f\t%d\t%s\t%.2f\n", static_cast<long long>(result.heuristicScore),
                heuristicSeconds, std::string(paralog::statusText(result.status)).c_str(), seconds, objective,
                result.bestBound, gap, result.parts, result.provenByParts ? "proven by parts" : "-", cpuSeconds);
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
