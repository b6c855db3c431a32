#ifndef PARALOG_SOLVE_EMBEDDED_CBC_H
#define PARALOG_SOLVE_EMBEDDED_CBC_H

#include <optional>
#include <ostream>

#include "model/linear_program.h"
#include "solve/solution.h"

namespace paralog {

/// How the embedded solver runs.
struct SolveOptions {
  std::optional<double> timeLimitSeconds;  ///< none: search until proven optimal
  int threads = 1;                         ///< threads of the branch-and-cut search
  /// Where progress lines go (at most one every few seconds); not owned,
  /// must outlive the solve.
  std::ostream* progress = nullptr;
};

/// What the embedded solve found: the solution (empty values when none was
/// found) and the best bound on the optimum it proved.
struct SolveResult {
  Solution solution;
  double bestBound = 0;
};

/// Solves `program` with CBC (linked as a library), its own log silenced,
/// writing "solving: ..." progress lines (elapsed time, best solution, best
/// bound, gap) to `options.progress`. Stops at the time limit or on SIGINT
/// (Ctrl-C) with the best solution found so far (the limit counts
/// wall-clock seconds and is checked between steps of the search, so a long
/// step may overrun it); CBC installs its own
/// SIGINT handler for the duration of the solve. Runs on the calling thread
/// plus `options.threads - 1` helper threads; not reentrant. Throws
/// std::runtime_error if CBC fails.
SolveResult solveWithCbc(const LinearProgram& program, const SolveOptions& options);

}  // namespace paralog

#endif  // PARALOG_SOLVE_EMBEDDED_CBC_H
