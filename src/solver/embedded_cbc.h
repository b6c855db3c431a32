#ifndef PARALOG_SOLVER_EMBEDDED_CBC_H
#define PARALOG_SOLVER_EMBEDDED_CBC_H

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/linear_program.h"
#include "solver/solution.h"
#include "solver/solve_control.h"

namespace paralog {

/// How the embedded solver runs.
struct SolveOptions {
  /// The time limit the caller's SolveControl is made with (none: no limit).
  std::optional<double> timeLimitSeconds;
  int threads = 1;  ///< threads of the branch-and-cut search, 1 to kMaxCbcThreads
  /// Where progress lines go (at most one every few seconds); not owned,
  /// must outlive the solve, written to from CBC's threads under a lock.
  std::ostream* progress = nullptr;
  /// Named in every progress line after the time, when not empty: which
  /// search of several the numbers are of.
  std::string progressPhase;
  /// Only solutions with an objective below this value count: a search
  /// that finds none has proven that none exists (status infeasible).
  std::optional<double> cutoff;
  /// A bound on the optimum (a minimum) that the caller proved: reported
  /// from the start, in progress lines and in the result, until the search
  /// proves a better one. None: the search's own bounds alone.
  std::optional<double> knownBound;
  /// Memory of the caller's that a search left running takes along: the
  /// search holds this pointer until its thread ends, so the caller's own
  /// copy may drop without freeing it. Freeing a genome-scale model while
  /// CBC's abandoned thread still runs (and contends for the allocator)
  /// takes seconds, which a stop request must not wait for. Null: nothing.
  std::shared_ptr<const void> keptBySearch;
  /// CBC command-line settings appended after the program's own (which
  /// they override), for measuring others; the bench tools set them.
  std::vector<std::string> extraCbcArguments;
};

/// The most search threads CBC runs as asked: it reads a value of 100 or
/// more as a mode (value / 100) and a thread count (value % 100).
inline constexpr int kMaxCbcThreads = 99;

/// What the embedded solve found: the solution (empty values when none was
/// found) and the best bound on the optimum it proved (for a search left
/// running, the bound at its last event; NaN when it had none).
struct SolveResult {
  Solution solution;
  double bestBound = 0;
  /// True when CBC did not come back within a second of being told to
  /// stop: its thread still runs, holding only memory of its own, and the
  /// process must end without waiting for it (see runSolving).
  bool searchStillRunning = false;
};

/// Solves `program` with CBC (linked as a library), its own log silenced,
/// writing "solving: ..." progress lines (elapsed time, best solution, best
/// bound, gap) to `options.progress`. The root's linear relaxation is
/// solved first (solveRootRelaxation), its optimum kept as a bound, and
/// CBC's search starts from its basis; until CBC's first event (its root
/// cuts send none) the line reads "solving: N s, root relaxation, no bound
/// yet", or names the best bound known by then (the relaxation's or
/// `options.knownBound`).
///
/// The search runs on a thread of its own (plus `options.threads - 1`
/// helpers of CBC's) while the calling thread waits on `control`. Once the
/// control says stop (deadline or stop request), CBC is told to stop at its
/// next event; if it has not come back a second later (a phase that sends
/// no events, such as preprocessing), it is left running and the best
/// solution seen so far in the program's own columns is returned, if any.
/// The status is optimal or infeasible only as CBC proved it, the stop
/// reason whenever the control stopped the search, feasible otherwise.
/// Values are not checked here. Not reentrant. Throws std::runtime_error if
/// CBC fails or ends with neither a solution nor a proof.
/// Without a control, the search runs until CBC proves what it can.
SolveResult solveWithCbc(const LinearProgram& program, const SolveOptions& options,
                         const SolveControl& control = SolveControl(std::nullopt, nullptr));

}  // namespace paralog

#endif  // PARALOG_SOLVER_EMBEDDED_CBC_H
