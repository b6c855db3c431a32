// The compact model against the score of every matching, on random small
// genome pairs: its optimum is the best score, and the values it gives a
// matching satisfy it with minus that score as objective; the score kept
// under single changes is the score walked anew.
#include <gtest/gtest.h>

#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <atomic>
#include <optional>

#include <algorithm>
#include <limits>
#include <cmath>
#include <array>
#include <map>
#include <numeric>
#include <string_view>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "compact/compact_model.h"
#include "compact/compact_solve.h"
#include "compact/incremental_score.h"
#include "compact/kicked_search.h"
#include "compact/matching_tree_search.h"
#include "compact/cut_bound.h"
#include "compact/partial_matching_bound.h"
#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "compact/conserved_adjacencies.h"
#include "compact/score_bound.h"
#include "compact/warm_start.h"
#include "ilp/generate_program.h"
#include "model/linear_program_builder.h"
#include "solver/embedded_cbc.h"
#include "solver/root_relaxation.h"
#include "solver/solution_check.h"
#include "support/run_program.h"
#include "support/random_pairs.h"
#include "support/structure_builders.h"

namespace paralog::compact {
namespace {

using testutil::forEachMatching;
using testutil::randomGenome;

// The sanitizer build runs the property tests on a fifth of the random
// pairs: each pair costs it many times what it costs a Release build.
#ifdef PARALOG_SANITIZED_TESTS
constexpr int kSanitizedShare = 5;
#else
constexpr int kSanitizedShare = 1;
#endif

CompactSolveRequest matchAllRequest(bool matchAll) {
  CompactSolveRequest request;
  request.matchAll = matchAll;
  return request;
}

// True when every family matches as many pairs as its smaller side has copies.
bool matchesAll(const PieceGraph& graph, const CopyMatching& matching) {
  std::map<std::string_view, std::array<int, 3>> counts;  // first, second, matched
  for (size_t c = 0; c < graph.copies().size(); ++c) {
    const PieceGraph::Copy& copy = graph.copies()[c];
    ++counts[copy.name][copy.genome];
    if (copy.genome == 0 && matching.pairOfCopy[c] >= 0) ++counts[copy.name][2];
  }
  return std::all_of(counts.begin(), counts.end(),
                     [](const auto& entry) { return entry.second[2] == std::min(entry.second[0], entry.second[1]); });
}

// Puts pair `p` into `matching`, dropping the pairs of its copies, or takes
// it out: the change and the matching it makes.
std::pair<IncrementalScore::Change, CopyMatching> toggled(const PieceGraph& graph, CopyMatching matching,
                                                           int32_t p) {
  const PieceGraph::Pair& pair = graph.pairs()[p];
  IncrementalScore::Change change;
  const int32_t value = matching.pairOfCopy[pair.first] == p ? -1 : p;
  for (const int32_t copy : {pair.first, pair.second}) {
    const int32_t old = matching.pairOfCopy[copy];
    if (old >= 0 && old != p) {
      const int32_t partner = graph.pairs()[old].first == copy ? graph.pairs()[old].second : graph.pairs()[old].first;
      change.emplace_back(partner, -1);
    }
    change.emplace_back(copy, value);
  }
  for (const auto& [copy, pairOfCopy] : change) matching.pairOfCopy[copy] = pairOfCopy;
  return {change, matching};
}

// Every single change of `matching` through IncrementalScore: taken exactly
// when it raises the walked score, which the kept score then equals.
void expectIncrementalScoresAgree(const PieceGraph& graph, const CopyMatching& matching) {
  const int64_t before = scoreMatching(graph, matching);
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    const auto [change, after] = toggled(graph, matching, static_cast<int32_t>(p));
    IncrementalScore score(graph, matching);
    const bool better = scoreMatching(graph, after) > before;
    ASSERT_EQ(score.applyIfBetter(change), better);
    ASSERT_EQ(score.matching().pairOfCopy, better ? after.pairOfCopy : matching.pairOfCopy);
    ASSERT_EQ(score.score(), scoreMatching(graph, score.matching()));
  }
}

// The kicked local search from the heuristic matching: a matching (both
// copies of a pair name it), never below its start nor above the best
// score, every family still matched in full with `matchAll`.
void expectKickedSearchSound(const PieceGraph& graph, bool matchAll, int64_t best) {
  const CopyMatching start = heuristicMatching(graph, matchAll);
  const CopyMatching kicked =
      kickedSearch(graph, start, matchAll, defaultKickRounds(graph) + 20, SolveControl(std::nullopt, nullptr));
  for (size_t c = 0; c < kicked.pairOfCopy.size(); ++c) {
    const int32_t p = kicked.pairOfCopy[c];
    if (p < 0) continue;
    const PieceGraph::Pair& pair = graph.pairs()[p];
    ASSERT_TRUE(pair.first == static_cast<int32_t>(c) || pair.second == static_cast<int32_t>(c));
    ASSERT_EQ(kicked.pairOfCopy[pair.first], p);
    ASSERT_EQ(kicked.pairOfCopy[pair.second], p);
  }
  // The same input gives the same matching: nothing depends on timing.
  EXPECT_EQ(kickedSearch(graph, start, matchAll, defaultKickRounds(graph) + 20, SolveControl(std::nullopt, nullptr))
                .pairOfCopy,
            kicked.pairOfCopy);
  EXPECT_GE(scoreMatching(graph, kicked), scoreMatching(graph, start));
  EXPECT_LE(scoreMatching(graph, kicked), best);
  if (matchAll) {
    EXPECT_TRUE(matchesAll(graph, kicked));
  }
}

// The bound of a partial matching, by counts and by the cut with closed
// pieces at their value, is at least the score of every matching that
// completes it (with every copy decided, what the matching earns with
// open joins), checked on each matching with more and more of its copies
// undecided; the search of the tree of matchings proves the best score,
// and with a budget of one node keeps its start.
void expectTreeSearchSound(const PieceGraph& graph, int64_t best, int64_t bestComplete, std::mt19937& random) {
  const SolveControl control(std::nullopt, nullptr);
  PartialMatchingBound bound(graph);
  CutBound cut(graph), cutOfMatchAll(graph, true);
  EXPECT_GE(scoreUpperBound(graph, control, true), bestComplete);
  forEachMatching(graph, [&](const CopyMatching& matching) {
    PartialMatching partial{matching.pairOfCopy};
    const int64_t score = scoreMatching(graph, matching);
    const int64_t open = scoreWithOpenJoins(countPieces(graph, matching, walkPieces(graph, matching)));
    // The --match-all program's cut bound holds its matchings only.
    const bool complete = matchesAll(graph, matching);
    ASSERT_DOUBLE_EQ(bound(partial), static_cast<double>(open));
    ASSERT_GE(cut(partial, bound.closed(), 3, control).value(), open);
    if (complete) {
      ASSERT_GE(cutOfMatchAll(partial, bound.closed(), 3, control).value(), open);
    }
    for (int round = 0; round < 4; ++round) {
      for (size_t c = 0; c < partial.decision.size(); ++c) {
        if (random() % 3 != 0) continue;
        partial.decision[c] = PartialMatching::kUndecided;
        if (const int32_t p = matching.pairOfCopy[c]; p >= 0) {
          partial.decision[graph.pairs()[p].first] = partial.decision[graph.pairs()[p].second] =
              PartialMatching::kUndecided;
        }
      }
      ASSERT_GE(bound(partial) + 1e-9, static_cast<double>(score));
      ASSERT_GE(cut(partial, bound.closed(), 1 + round, control).value(), score);
      if (complete) {
        ASSERT_GE(cutOfMatchAll(partial, bound.closed(), 1 + round, control).value(), score);
      }
    }
  });
  const TreeSearchOutcome full =
      searchMatchingTree(graph, CopyMatching::of(graph, {}), false, std::numeric_limits<int64_t>::max(), control);
  EXPECT_TRUE(full.proven);
  EXPECT_EQ(full.score, best);
  EXPECT_EQ(scoreMatching(graph, full.best), best);
  const CopyMatching start = heuristicMatching(graph, false);
  EXPECT_GE(searchMatchingTree(graph, start, false, 1, control).score, scoreMatching(graph, start));
  // Over the --match-all program's matchings only.
  const TreeSearchOutcome complete = searchMatchingTree(graph, heuristicMatching(graph, true), true,
                                                        std::numeric_limits<int64_t>::max(), control);
  EXPECT_TRUE(complete.proven);
  EXPECT_EQ(complete.score, bestComplete);
  EXPECT_TRUE(matchesAll(graph, complete.best));
}

TEST(CompactModelTest, OptimumIsTheBestScoreOfAnyMatching) {
  std::mt19937 random(20261209);
  int compared = 0;
  while (compared < 60 / kSanitizedShare) {
    const auto genomes = testutil::randomPair(random, 4);
    const Structure& first = genomes.first;
    const Structure& second = genomes.second;
    const PieceGraph graph(first, second);
    if (graph.pairs().size() > 10) continue;
    ++compared;
    const CompactModel model(graph, CopyMatching::of(graph, {}));
    int64_t best = -1;
    int64_t bestComplete = -1;
    CopyMatching bestMatching;
    forEachMatching(graph, [&](const CopyMatching& matching) {
      const int64_t score = scoreMatching(graph, matching);
      best = std::max(best, score);
      if (matchesAll(graph, matching)) bestComplete = std::max(bestComplete, score);
      const std::vector<double> values = model.startValues(graph, matching);
      requireValidSolution(model.program(), values, -static_cast<double>(score), "start values");
      expectIncrementalScoresAgree(graph, matching);
      if (score == best) bestMatching = matching;
    });
    // Rows that follow the label numbers (the lowest node of a cycle, the
    // nodes beyond a shared one) hold for every matching under the
    // numbering along the best matching's cycles too.
    const CompactModel guided(graph, bestMatching);
    forEachMatching(graph, [&](const CopyMatching& matching) {
      const int64_t score = scoreMatching(graph, matching);
      requireValidSolution(guided.program(), guided.startValues(graph, matching), -static_cast<double>(score),
                           "start values numbered along the best matching");
    });
    expectKickedSearchSound(graph, false, best);
    expectKickedSearchSound(graph, true, bestComplete);
    expectTreeSearchSound(graph, best, bestComplete, random);
    // CBC's default search from the --match-all optimum and from the heuristic alone.
    for (const bool fromMatchAll : {true, false}) {
      CompactSolveRequest request;
      request.startFromMatchAll = fromMatchAll;
      request.treeSearch = false;
      const CompactSolveResult solved = solveCompact(first, second, request);
      EXPECT_EQ(solved.status, SolutionStatus::kOptimal);
      EXPECT_EQ(solved.score, best) << "case " << compared << " from match all: " << fromMatchAll;
    }
    CompactSolveRequest completeByCbc = matchAllRequest(true);
    completeByCbc.treeSearch = false;  // the tree's --match-all search is checked above
    const CompactSolveResult complete = solveCompact(first, second, completeByCbc);
    EXPECT_EQ(complete.status, SolutionStatus::kOptimal);
    EXPECT_EQ(complete.score, bestComplete) << "case " << compared << " with every family matched";
    // The counting bound that lets the default solve skip the --match-all start.
    EXPECT_LE(static_cast<double>(bestComplete), matchAllScoreBound(graph)) << "case " << compared;
  }
}

// Two circular chromosomes of up to eight genes in unrelated random orders,
// a few duplicated (far apart, as the mitochondria of distant animals):
// the default optimum, whose matchings leave most copies free, and the
// counting bound of the --match-all program, against every matching.
TEST(CompactModelTest, FarApartCircularPairsReachTheBestMatching) {
  std::mt19937 random(10122026);
  for (int compared = 0; compared < 12 / kSanitizedShare;) {
    std::vector<int> firstCopies, secondCopies;
    for (int g = 0, genes = 5 + static_cast<int>(random() % 4); g < genes; ++g) {
      firstCopies.push_back(random() % 5 == 0 ? 2 : 1);
      secondCopies.push_back(random() % 5 == 0 ? 2 : 1);
    }
    const auto circular = [&](int32_t id, const std::vector<int>& copies) {
      Structure genome = randomGenome(random, id, copies);
      std::vector<Chromosome> one(1);
      one[0].circular = true;
      for (const Chromosome& chromosome : genome.chromosomes) {
        one[0].genes.insert(one[0].genes.end(), chromosome.genes.begin(), chromosome.genes.end());
      }
      return testutil::structure(id, one);
    };
    const Structure first = circular(1, firstCopies);
    const Structure second = circular(2, secondCopies);
    const PieceGraph graph(first, second);
    if (graph.pairs().size() > 12) continue;
    ++compared;
    int64_t best = -1, bestComplete = -1;
    forEachMatching(graph, [&](const CopyMatching& matching) {
      best = std::max(best, scoreMatching(graph, matching));
      if (matchesAll(graph, matching)) bestComplete = std::max(bestComplete, scoreMatching(graph, matching));
    });
    expectTreeSearchSound(graph, best, bestComplete, random);
    // The default solve, whose tree search proves these, and CBC alone.
    CompactSolveRequest byCbc;
    byCbc.treeSearch = false;
    for (const CompactSolveRequest& request : {CompactSolveRequest{}, byCbc}) {
      const CompactSolveResult solved = solveCompact(first, second, request);
      EXPECT_EQ(solved.status, SolutionStatus::kOptimal);
      EXPECT_EQ(solved.score, best) << "case " << compared;
    }
    EXPECT_LE(static_cast<double>(bestComplete), matchAllScoreBound(graph)) << "case " << compared;
  }
}

// The compact model's relaxation as Clp reads it (integer marks dropped).
void loadRelaxation(const LinearProgram& program, OsiClpSolverInterface& solver) {
  CoinPackedMatrix matrix(false, 0, 0);
  matrix.setDimensions(0, static_cast<int>(program.variables().size()));
  std::vector<double> lower, upper, objective, rowLower, rowUpper;
  for (const ProgramVariable& variable : program.variables()) {
    lower.push_back(variable.lower);
    upper.push_back(std::isinf(variable.upper) ? solver.getInfinity() : variable.upper);
    objective.push_back(variable.objective);
  }
  for (const ProgramRow& row : program.rows()) {
    std::vector<int> indices;
    std::vector<double> elements;
    for (const auto& [index, coefficient] : row.terms) indices.push_back(index), elements.push_back(coefficient);
    matrix.appendRow(static_cast<int>(indices.size()), indices.data(), elements.data());
    rowLower.push_back(row.relation == Relation::kLessEqual ? -solver.getInfinity() : row.rhs);
    rowUpper.push_back(row.relation == Relation::kGreaterEqual ? solver.getInfinity() : row.rhs);
  }
  solver.loadProblem(matrix, lower.data(), upper.data(), objective.data(), rowLower.data(), rowUpper.data());
}

// The bounds reported before and at the root never claim more than the
// best matching scores: the node-and-copy count under both join credits,
// the root relaxation of the model under both.
TEST(CompactModelTest, EarlyBoundsNeverClaimMoreThanTheBestMatching) {
  std::mt19937 random(20261210);
  for (int compared = 0; compared < 80 / kSanitizedShare;) {
    const auto genomes = testutil::randomPair(random, 5);
    const Structure& first = genomes.first;
    const Structure& second = genomes.second;
    const PieceGraph graph(first, second);
    if (graph.pairs().size() > 10) continue;
    ++compared;
    double best = -1, bestOpen = -1;
    forEachMatching(graph, [&](const CopyMatching& matching) {
      best = std::max(best, static_cast<double>(scoreMatching(graph, matching)));
      bestOpen = std::max(bestOpen, scoreWithOpenJoins(countPieces(graph, matching, walkPieces(graph, matching))));
    });
    EXPECT_GE(static_cast<double>(scoreUpperBound(graph)), std::max(best, bestOpen)) << "case " << compared;
    for (const JoinCredit credit : {JoinCredit::kOwnPieces, JoinCredit::kOpenBound}) {
      const CompactModel model(graph, heuristicMatching(graph), false, credit);
      OsiClpSolverInterface solver;
      solver.messageHandler()->setLogLevel(0);
      loadRelaxation(model.program(), solver);
      const std::atomic<bool> stop{false};
      const std::optional<double> bound = solveRootRelaxation(solver, stop);
      ASSERT_TRUE(bound.has_value()) << "case " << compared;
      EXPECT_LE(*bound, -(credit == JoinCredit::kOwnPieces ? best : bestOpen)) << "case " << compared;
    }
  }
}

// A deadline already past when the search starts ends it at the root
// relaxation: the time limit's status with the caller's bound, no proof.
TEST(CompactModelTest, ADeadlinePastAtTheRootKeepsTheKnownBound) {
  std::mt19937 random(20261211);
  const Structure first = randomGenome(random, 1, {2, 1, 3, 1});
  const Structure second = randomGenome(random, 2, {1, 2, 2, 1});
  const PieceGraph graph(first, second);
  const CompactModel model(graph, heuristicMatching(graph));
  SolveOptions options;
  options.knownBound = -static_cast<double>(scoreUpperBound(graph));
  const SolveResult result = solveWithCbc(model.program(), options, SolveControl(0.0, nullptr));
  EXPECT_EQ(result.solution.status, SolutionStatus::kTimeLimit);
  EXPECT_TRUE(result.solution.values.empty());
  EXPECT_GE(result.bestBound, *options.knownBound);
  EXPECT_LT(result.bestBound, 0);
}

// The genomes in the native input format.
std::string inputText(const Structure& first, const Structure& second) {
  std::map<std::string, size_t> copies;
  for (const Structure* s : {&first, &second}) {
    for (const auto& [name, indices] : s->copies) copies[name] = std::max(copies[name], indices.size());
  }
  std::string text = std::to_string(copies.size()) + "\n";
  for (const auto& [name, count] : copies) text += name + " " + std::to_string(count) + "\n";
  text += "2\n";
  for (const Structure* s : {&first, &second}) {
    text += "g" + std::to_string(s->id) + " " + std::to_string(s->id) + " : " +
            std::to_string(s->chromosomes.size()) + " :\n";
    for (const Chromosome& chromosome : s->chromosomes) {
      text += chromosome.circular ? "C " : "L ";
      text += std::to_string(chromosome.genes.size()) + " : ";
      for (const Gene& gene : chromosome.genes) {
        text += (gene.sign < 0 ? "-" : "+") + gene.name + "." + std::to_string(gene.index);
      }
      text += ";\n";
    }
  }
  return text;
}

// The whole program's optimum, found two ways: the portable LP file solved
// by the cbc program, and the run's own solve of the whole program. Where
// the compact model refutes CBC's claim of an optimum, the run reports the
// solution as feasible with the proven optimum as its bound: `embedded` is
// then that bound.
struct WholeProgramOptima {
  double cbcProgram = 0;
  double embedded = 0;
};

WholeProgramOptima wholeProgramOptima(const std::string& input, bool matchAll, bool keepUnshared = false) {
  testutil::TempDirectory directory;
  directory.write("in.txt", input);
  std::vector<std::string> args = {"-i", "in.txt", "--portable", "-o", "out.lp"};
  if (matchAll) args.push_back("--match-all");
  if (keepUnshared) args.push_back("--keep-unshared");
  const testutil::ProgramRun written = testutil::runExecutable(directory.path(), args);
  EXPECT_EQ(written.exitStatus, 0) << written.err;
  const testutil::ShellRun cbc = testutil::runShell(directory.path(), "cbc out.lp solve solu out.sol");
  EXPECT_EQ(cbc.exitStatus, 0) << cbc.output;
  const std::string solution = directory.read("out.sol");
  EXPECT_EQ(solution.rfind("Optimal - objective value ", 0), 0u) << solution.substr(0, 80);
  WholeProgramOptima optima;
  optima.cbcProgram = std::stod(solution.substr(solution.find("value ") + 6));
  args = {"-i", "in.txt", "--solve", "--solve-model", "full"};
  if (matchAll) args.push_back("--match-all");
  if (keepUnshared) args.push_back("--keep-unshared");
  const testutil::ProgramRun solved = testutil::runExecutable(directory.path(), args);
  EXPECT_EQ(solved.exitStatus, 0) << solved.err;
  const bool optimal = solved.out.find("Status: optimal\n") != std::string::npos;
  EXPECT_TRUE(optimal || solved.out.find("Status: feasible\n") != std::string::npos) << solved.out;
  const size_t value = solved.out.find(optimal ? "Objective: " : "Best bound: ");
  optima.embedded = value == std::string::npos ? NAN : std::stod(solved.out.substr(solved.out.find(": ", value) + 2));
  return optima;
}

TEST(CompactModelTest, OptimumIsTheWholeProgramsOptimum) {
  PARALOG_SKIP_WITHOUT("cbc");
  std::mt19937 random(9122026);
  // The whole program grows fast: at most six copies a genome keep CBC's
  // proof of its optimum short. Every third pair asks for every family
  // matched.
  for (int round = 0; round < 100 / kSanitizedShare; ++round) {
    std::vector<int> firstCopies, secondCopies;
    do {
      const int genes = 1 + static_cast<int>(random() % 4);
      firstCopies.assign(genes, 1);
      secondCopies.assign(genes, 1);
      for (int g = 0; g < genes; ++g) {
        if (random() % 3 == 0) firstCopies[g] += 1 + static_cast<int>(random() % 2);
        if (random() % 3 == 0) secondCopies[g] += 1 + static_cast<int>(random() % 2);
      }
    } while (std::accumulate(firstCopies.begin(), firstCopies.end(), 0) > 6 ||
             std::accumulate(secondCopies.begin(), secondCopies.end(), 0) > 6);
    const Structure first = randomGenome(random, 1, firstCopies);
    const Structure second = randomGenome(random, 2, secondCopies);
    const std::string input = inputText(first, second);
    const bool matchAll = round % 3 == 2;
    const CompactSolveResult solved = solveCompact(first, second, matchAllRequest(matchAll));
    ASSERT_EQ(solved.status, SolutionStatus::kOptimal);
    const WholeProgramOptima optima = wholeProgramOptima(input, matchAll);
    EXPECT_EQ(-static_cast<double>(solved.score), optima.cbcProgram) << input << "match all: " << matchAll;
    EXPECT_EQ(-static_cast<double>(solved.score), optima.embedded) << input << "match all: " << matchAll;
  }
}

// Copy counts of up to `genes` genes in two genomes, some of them in one
// genome only (count 0 in the other), at most `limit` copies a genome and
// at least one gene in both.
std::array<std::vector<int>, 2> countsWithUnshared(std::mt19937& random, int genes, int limit) {
  std::array<std::vector<int>, 2> counts;
  do {
    for (std::vector<int>& side : counts) side.assign(genes, 0);
    for (int g = 0; g < genes; ++g) {
      const unsigned kind = random() % 4;  // 0: first only, 1: second only, else both
      if (kind != 1) counts[0][g] = 1 + static_cast<int>(random() % 2);
      if (kind != 0) counts[1][g] = 1 + static_cast<int>(random() % 2);
    }
  } while (std::accumulate(counts[0].begin(), counts[0].end(), 0) > limit ||
           std::accumulate(counts[1].begin(), counts[1].end(), 0) > limit ||
           std::none_of(counts[0].begin(), counts[0].end(), [](int c) { return c > 0; }) ||
           std::none_of(counts[1].begin(), counts[1].end(), [](int c) { return c > 0; }));
  return counts;
}

// Genes of one genome only (--keep-unshared) are copies without a candidate
// pair: the compact optimum is the best score over every matching of the
// others, with and without every family matched.
TEST(CompactModelTest, GenesOfOneGenomeOnlyStayUnmatched) {
  std::mt19937 random(4122026);
  for (int round = 0; round < 40 / kSanitizedShare; ++round) {
    const auto counts = countsWithUnshared(random, 2 + static_cast<int>(random() % 3), 7);
    const Structure first = randomGenome(random, 1, counts[0]);
    const Structure second = randomGenome(random, 2, counts[1]);
    const PieceGraph graph(first, second);
    int64_t best = -1;
    int64_t bestComplete = -1;
    forEachMatching(graph, [&](const CopyMatching& matching) {
      const int64_t score = scoreMatching(graph, matching);
      best = std::max(best, score);
      if (matchesAll(graph, matching)) bestComplete = std::max(bestComplete, score);
    });
    EXPECT_EQ(solveCompact(first, second, matchAllRequest(false)).score, best) << inputText(first, second);
    EXPECT_EQ(solveCompact(first, second, matchAllRequest(true)).score, bestComplete) << inputText(first, second);
  }
}

// The same genomes, the LP file written with --keep-unshared solved by the
// cbc program and by the embedded solve of the whole program.
TEST(CompactModelTest, GenesOfOneGenomeOnlyKeepTheWholeProgramsOptimum) {
  PARALOG_SKIP_WITHOUT("cbc");
  std::mt19937 random(5122026);
  for (int round = 0; round < 30 / kSanitizedShare; ++round) {
    const auto counts = countsWithUnshared(random, 2 + static_cast<int>(random() % 3), 6);
    const Structure first = randomGenome(random, 1, counts[0]);
    const Structure second = randomGenome(random, 2, counts[1]);
    const std::string input = inputText(first, second);
    const bool matchAll = round % 3 == 2;
    const CompactSolveResult solved = solveCompact(first, second, matchAllRequest(matchAll));
    ASSERT_EQ(solved.status, SolutionStatus::kOptimal);
    const WholeProgramOptima optima = wholeProgramOptima(input, matchAll, true);
    EXPECT_EQ(-static_cast<double>(solved.score), optima.cbcProgram) << input << "match all: " << matchAll;
    EXPECT_EQ(-static_cast<double>(solved.score), optima.embedded) << input << "match all: " << matchAll;
  }
}

// Two genomes made of `groups` parts that no gene crosses: each part's
// genes (one or two, of up to two copies a genome) lie on chromosomes of
// their own in both genomes.
std::pair<Structure, Structure> pairOfParts(std::mt19937& random, int groups) {
  std::vector<Chromosome> chromosomes[2];
  for (int group = 0; group < groups; ++group) {
    const int genes = 1 + static_cast<int>(random() % 2);
    for (int k = 0; k < 2; ++k) {
      std::vector<int> copies;
      for (int g = 0; g < genes; ++g) copies.push_back(1 + static_cast<int>(random() % 2));
      Structure part = randomGenome(random, k + 1, copies);
      for (Chromosome& chromosome : part.chromosomes) {
        for (Gene& gene : chromosome.genes) gene.name += std::to_string(group);
        chromosomes[k].push_back(chromosome);
      }
    }
  }
  return {testutil::structure(1, chromosomes[0]), testutil::structure(2, chromosomes[1])};
}

// Both models are proven optimal at the best score of any matching (every
// family matched, for every fourth pair): on the pair whose optimum CBC's
// integer preprocessing cut off (it proved -10), then on 500 random pairs
// of up to ten copies in all, linear and circular, in one to three parts.
TEST(CompactModelTest, BothModelsReachTheBestMatchingOnRandomPairs) {
  // The sanitizer build checks memory on a few pairs; the Release build
  // checks the answers on all of them.
  constexpr size_t kRandomPairs = 500 / (kSanitizedShare * kSanitizedShare);
  std::mt19937 random(35);
  std::vector<std::pair<Structure, Structure>> pairs = {
      {testutil::makeStructure(1, {{true, "+g2.2 +g2.1 -g3.2"}, {true, "-g1.1 -g3.1"}}),
       testutil::makeStructure(2, {{true, "-g3.2 -g2.1 -g3.1"}, {true, "+g1.2"}, {true, "-g1.1"}})}};
  while (pairs.size() < kRandomPairs + 1) {
    const auto copies = [&random] {
      return std::vector<int>{1 + static_cast<int>(random() % 3), 1 + static_cast<int>(random() % 2)};
    };
    auto pair = pairs.size() % 2 == 0
                    ? pairOfParts(random, 1 + static_cast<int>(random() % 3))
                    : std::make_pair(randomGenome(random, 1, copies()), randomGenome(random, 2, copies()));
    if (PieceGraph(pair.first, pair.second).copies().size() <= 10) pairs.push_back(std::move(pair));
  }
  for (size_t round = 0; round < pairs.size() && !HasFailure(); ++round) {
    const auto& [first, second] = pairs[round];
    const bool matchAll = round % 4 == 3;
    const PieceGraph graph(first, second);
    int64_t best = -1;
    forEachMatching(graph, [&](const CopyMatching& matching) {
      if (!matchAll || matchesAll(graph, matching)) best = std::max(best, scoreMatching(graph, matching));
    });
    SCOPED_TRACE(inputText(first, second) + (matchAll ? "with --match-all" : ""));
    const CompactSolveResult compact = solveCompact(first, second, matchAllRequest(matchAll));
    EXPECT_EQ(compact.status, SolutionStatus::kOptimal);
    EXPECT_EQ(compact.score, best);
    LinearProgram program;  // the whole program, as --solve-model full solves it
    LinearProgramBuilder builder(program);
    buildProgram(first, second, builder, [](std::string_view) {}, RowThreads::kCallingThread, LpFile::kNone,
                 ProgramOptions{matchAll});
    const SolveResult full = solveWithCbc(program, SolveOptions{});
    EXPECT_EQ(full.solution.status, SolutionStatus::kOptimal);
    EXPECT_EQ(full.solution.objective.value_or(NAN), -static_cast<double>(best));
  }
}

// The split into independent parts keeps the optimum: against the whole
// compact model, proven either by the parts alone or by the search of the
// whole from their matching.
TEST(CompactModelTest, SplittingIntoPartsKeepsTheOptimum) {
  std::mt19937 random(91226);
  std::array<int, 2> proofs{};  // by the whole search, by the parts
  for (int round = 0; round < 50; ++round) {
    const int groups = 2 + round % 2;
    const auto [first, second] = pairOfParts(random, groups);
    const bool matchAll = round % 4 == 3;
    // The parts are CBC's: the tree search would prove these pairs first.
    CompactSolveRequest request = matchAllRequest(matchAll);
    request.treeSearch = false;
    const CompactSolveResult split = solveCompact(first, second, request);
    CompactSolveRequest wholeRequest = request;
    wholeRequest.partSplit = PartSplit::kWhole;
    const CompactSolveResult whole = solveCompact(first, second, wholeRequest);
    ASSERT_EQ(split.status, SolutionStatus::kOptimal);
    ASSERT_EQ(whole.status, SolutionStatus::kOptimal);
    EXPECT_GE(split.parts, groups);
    EXPECT_EQ(split.score, whole.score) << inputText(first, second);
    EXPECT_EQ(split.bestBound, -static_cast<double>(split.score));
    const PieceGraph graph(first, second);
    std::vector<int32_t> pairs;
    for (const CompactSolveResult::MatchedPair& pair : split.matching) {
      for (size_t p = 0; p < graph.pairs().size(); ++p) {
        const PieceGraph::Pair& candidate = graph.pairs()[p];
        if (graph.copies()[candidate.first].name == pair.gene && graph.copies()[candidate.first].index == pair.firstIndex &&
            graph.copies()[candidate.second].index == pair.secondIndex) {
          pairs.push_back(static_cast<int32_t>(p));
        }
      }
    }
    EXPECT_EQ(scoreMatching(graph, CopyMatching::of(graph, pairs)), split.score);
    ++proofs[split.provenByParts ? 1 : 0];
  }
  // Both ways of proving occur among these pairs.
  EXPECT_GT(proofs[0], 0);
  EXPECT_GT(proofs[1], 0);
}

}  // namespace
}  // namespace paralog::compact
