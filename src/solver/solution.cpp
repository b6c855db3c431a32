#include "solver/solution.h"

namespace paralog {

std::string_view statusText(SolutionStatus status) {
  switch (status) {
    case SolutionStatus::kOptimal:
      return "optimal";
    case SolutionStatus::kTimeLimit:
      return "time limit";
    case SolutionStatus::kInterrupted:
      return "interrupted";
    case SolutionStatus::kInfeasible:
      return "infeasible";
    case SolutionStatus::kFeasible:
      break;
  }
  return "feasible";
}

}  // namespace paralog
