#ifndef PARALOG_SOLVER_RELATIVE_GAP_H
#define PARALOG_SOLVER_RELATIVE_GAP_H

#include <cmath>

namespace paralog {

/// The relative gap between the objective of the best solution and the best
/// bound, in percent: |objective - bound| / max(1, |objective|) * 100. Every
/// gap the tool prints (CBC's progress, the summary, the benchmarks) is this.
inline double relativeGapPercent(double objective, double bound) {
  return std::fabs(objective - bound) / std::fmax(1.0, std::fabs(objective)) * 100.0;
}

}  // namespace paralog

#endif  // PARALOG_SOLVER_RELATIVE_GAP_H
