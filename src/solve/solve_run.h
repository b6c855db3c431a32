#ifndef PARALOG_SOLVE_SOLVE_RUN_H
#define PARALOG_SOLVE_SOLVE_RUN_H

#include <optional>
#include <ostream>
#include <string>

#include "run_setup/run_parameters.h"
#include "genome/genome.h"
#include "report/matching_report.h"
#include "solver/embedded_cbc.h"

namespace paralog {

/// The embedded solver's settings for the run of `parameters` (its time
/// limit and threads), its log going to `solverLog`, which must outlive the
/// solve.
SolveOptions solveOptionsOf(const RunParameters& parameters, std::ostream& solverLog);

/// How a solving run that reported its solution ends.
struct SolvingEnd {
  /// 0, or 128 + the signal's number after a search stopped by SIGINT or SIGTERM.
  int exitStatus = 0;
  /// The embedded search did not come back when told to stop and still
  /// runs on a thread of its own: the process must end without the usual
  /// teardown (std::_Exit), as that thread may still use the solver library.
  bool searchStillRunning = false;
};

/// The lines of a search's result: "Status: ...", and when there is a
/// solution "Objective: ...", "Best bound: ..." and "Gap: ...%", or without
/// one the bound alone when it is finite.
std::string searchSummary(SolutionStatus status, std::optional<double> objective, double bestBound);

/// Prints `summary` and the counts of `report` ("Matched copy pairs: ...",
/// "p variables at 1: ..." and the unmatched counts) on `out`, flushed.
void printSummary(std::ostream& out, const std::string& summary, const MatchingReport& report);

/// The run for --solve, --solution or --matching: generates the program in memory
/// (writing the LP file when `parameters.outputPath` is set, in the form
/// --portable and a ".gz" path ask for), solves it
/// with the embedded CBC (whose log goes to `solverLog`), reads the
/// solution file or works out the values of the matching
/// (MatchingEvaluator), checks the solution, prints the progress and
/// summary lines on `out`, writes the matching table to
/// `parameters.reportPath`, the per-family table to
/// `parameters.familiesPath` and every variable's value in CBC's solution
/// layout to `parameters.solutionOutputPath` when set, then "Done". Replaced output
/// files appear only after everything succeeded (an LP file written in
/// place, such as standard output, is out before the solve). Throws std::runtime_error on any failure,
/// among them a solution that breaks the program and a search that found
/// no solution.
SolvingEnd runSolving(const RunParameters& parameters, const Structure& first,
                      const Structure& second, std::ostream& out, std::ostream& solverLog);

}  // namespace paralog

#endif  // PARALOG_SOLVE_SOLVE_RUN_H
