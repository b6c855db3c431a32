#ifndef PARALOG_SOLVER_ROOT_RELAXATION_H
#define PARALOG_SOLVER_ROOT_RELAXATION_H

#include <atomic>
#include <optional>

class OsiClpSolverInterface;

namespace paralog {

/// Solves the linear relaxation of the problem loaded in `solver` (integer
/// marks ignored) with Clp's dual simplex after its presolve, and returns
/// its optimum, lowered by a margin for Clp's tolerances so that it is a
/// bound on the integer optimum (a minimum) that rounding cannot push past
/// it; none when Clp did not prove the relaxation's optimum (stopped,
/// infeasible, unbounded, numerical trouble).
///
/// The solve leaves its optimal basis in `solver`: a CbcModel made from it,
/// or whose solver it is, starts its root from that basis without a pivot.
/// `stop` is looked at after every pivot; once it is true the solve ends
/// within a pivot and returns none. `solver` and `stop` are not owned and
/// are used only during the call. Not reentrant on one solver.
std::optional<double> solveRootRelaxation(OsiClpSolverInterface& solver, const std::atomic<bool>& stop);

}  // namespace paralog

#endif  // PARALOG_SOLVER_ROOT_RELAXATION_H
