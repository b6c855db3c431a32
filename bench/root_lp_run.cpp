// Solves the linear relaxation of the compact model of an input file's
// first two genomes with Clp and prints one tab-separated line: method,
// rows, columns, status, objective, processor seconds of the build and of
// the solve, peak-free. For comparing the ways of solving the root.
//   paralog_root_lp FILE METHOD [PRESOLVE]
// METHOD: dual, primal, barrier, idiot (Clp's idiot crash then primal),
// auto (ClpSolve's automatic choice), osi (through the solver interface
// that CBC searches, then again by a copy of it, as CbcModel keeps it).
// PRESOLVE: on (default) or off. PARALOG_TWICE=r|i solves again through a
// solver interface around the solved model (resolve, or initial solve
// without presolve), to see whether it reuses the basis.
// PARALOG_MATCH_ALL=1 relaxes the --match-all program.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include "compact/compact_model.h"
#include "compact/piece_graph.h"
#include "compact/warm_start.h"
#include "pair_file.h"

namespace {

double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void loadRelaxation(const paralog::LinearProgram& program, ClpSimplex& clp) {
  std::vector<double> lower, upper, objective, rowLower, rowUpper;
  for (const auto& variable : program.variables()) {
    lower.push_back(variable.lower);
    upper.push_back(std::isinf(variable.upper) ? COIN_DBL_MAX : variable.upper);
    objective.push_back(variable.objective);
  }
  std::vector<CoinBigIndex> starts;
  std::vector<int> indices;
  std::vector<double> elements;
  for (const auto& row : program.rows()) {
    starts.push_back(static_cast<CoinBigIndex>(indices.size()));
    for (const auto& [index, coefficient] : row.terms) {
      indices.push_back(index);
      elements.push_back(coefficient);
    }
    rowLower.push_back(row.relation == paralog::Relation::kLessEqual ? -COIN_DBL_MAX : row.rhs);
    rowUpper.push_back(row.relation == paralog::Relation::kGreaterEqual ? COIN_DBL_MAX : row.rhs);
  }
  starts.push_back(static_cast<CoinBigIndex>(indices.size()));
  const CoinPackedMatrix matrix(false, static_cast<int>(program.variables().size()), static_cast<int>(program.rows().size()),
                                static_cast<CoinBigIndex>(indices.size()), elements.data(), indices.data(), starts.data(),
                                nullptr);
  clp.loadProblem(matrix, lower.data(), upper.data(), objective.data(), rowLower.data(), rowUpper.data());
}

// Solved through Osi as CBC holds it, then solved again by a clone (what
// CbcModel keeps): does the second solve start from the basis?
void solveTwiceThroughOsi(const ClpSimplex& clp) {
  OsiClpSolverInterface osi;
  osi.messageHandler()->setLogLevel(0);
  osi.loadProblem(*clp.matrix(), clp.columnLower(), clp.columnUpper(), clp.objective(), clp.rowLower(), clp.rowUpper());
  double start = cpuSeconds();
  osi.initialSolve();
  std::printf("osi initial: %.6f in %.2f s\n", osi.getObjValue(), cpuSeconds() - start);
  OsiSolverInterface* copy = osi.clone();
  start = cpuSeconds();
  copy->initialSolve();
  std::printf("clone initial: %.6f in %.2f s, %d iterations\n", copy->getObjValue(), cpuSeconds() - start, copy->getIterationCount());
  start = cpuSeconds();
  copy->resolve();
  std::printf("clone resolve: %.6f in %.2f s, %d iterations\n", copy->getObjValue(), cpuSeconds() - start, copy->getIterationCount());
  delete copy;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: paralog_root_lp FILE METHOD [PRESOLVE]\n";
    return 2;
  }
  try {
    const std::vector<paralog::Structure> structures = paralog::bench::readPairFile(argv[1]);
    const bool matchAll = std::getenv("PARALOG_MATCH_ALL") != nullptr;
    const double buildStart = cpuSeconds();
    const paralog::compact::PieceGraph graph(structures[0], structures[1]);
    const paralog::compact::CompactModel model(graph, paralog::compact::heuristicMatching(graph, matchAll), matchAll);
    ClpSimplex clp;
    clp.setLogLevel(std::getenv("PARALOG_CLP_LOG") ? std::atoi(std::getenv("PARALOG_CLP_LOG")) : 0);
    loadRelaxation(model.program(), clp);
    const double buildSeconds = cpuSeconds() - buildStart;
    const std::string method = argv[2];
    if (method == "osi") {
      solveTwiceThroughOsi(clp);
      return 0;
    }
    const bool presolve = argc < 4 || std::strcmp(argv[3], "off") != 0;
    ClpSolve options;
    options.setPresolveType(presolve ? ClpSolve::presolveOn : ClpSolve::presolveOff);
    if (method == "dual") options.setSolveType(ClpSolve::useDual);
    else if (method == "primal") options.setSolveType(ClpSolve::usePrimal);
    else if (method == "barrier") options.setSolveType(ClpSolve::useBarrier);
    else if (method == "idiot") options.setSolveType(ClpSolve::usePrimalorSprint), options.setSpecialOption(1, 2, 30);
    else options.setSolveType(ClpSolve::automatic);
    const double solveStart = cpuSeconds();
    clp.initialSolve(options);
    const double solveSeconds = cpuSeconds() - solveStart;
    if (std::getenv("PARALOG_TWICE") != nullptr) {
      // What a second solve costs from the optimal basis, as CBC's first
      // solve of the root would meet it.
      OsiClpSolverInterface osi(&clp, false);
      const double againStart = cpuSeconds();
      if (std::getenv("PARALOG_TWICE")[0] == 'r') {
        osi.resolve();
      } else {
        osi.setHintParam(OsiDoPresolveInInitial, false, OsiHintDo);
        osi.initialSolve();
      }
      std::printf("again through Osi: %.6f in %.2f s\n", osi.getObjValue(), cpuSeconds() - againStart);
      osi.releaseClp();
    }
    std::printf("%s\t%s\t%d\t%d\t%d\t%.6f\t%.2f\t%.2f\n", method.c_str(), presolve ? "presolve" : "no-presolve",
                clp.numberRows(), clp.numberColumns(), clp.status(), clp.objectiveValue(), buildSeconds, solveSeconds);
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
