#ifndef PARALOG_SOLVER_SOLUTION_H
#define PARALOG_SOLVER_SOLUTION_H

#include <optional>
#include <string_view>
#include <vector>

namespace paralog {

/// How the search that produced a solution ended.
enum class SolutionStatus { kOptimal, kTimeLimit, kInterrupted, kInfeasible, kFeasible };

/// The word of the summary line "Status: ..." for `status`: "optimal",
/// "time limit", "interrupted", "infeasible" or "feasible".
std::string_view statusText(SolutionStatus status);

/// Values for the variables of one LinearProgram, whoever computed them.
struct Solution {
  SolutionStatus status = SolutionStatus::kFeasible;
  /// Empty when the solver found no solution (then `values` is empty too).
  std::optional<double> objective;
  /// One value per variable of the program, by its index.
  std::vector<double> values;
};

}  // namespace paralog

#endif  // PARALOG_SOLVER_SOLUTION_H
