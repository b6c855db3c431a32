#ifndef PARALOG_COMPACT_CREDIT_CUT_H
#define PARALOG_COMPACT_CREDIT_CUT_H

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "compact/max_flow.h"

namespace paralog::compact {

/// The largest total over 0/1 values of a set of variables, where the
/// total is a sum of credits, each earned when all of its variables are 1
/// or when all are 0, plus a whole weight per variable at 1. Such a total
/// is supermodular, so one minimum cut finds its maximum exactly; each
/// maximum is checked against the credits themselves before it is
/// returned.
///
/// Credits are added first, then maximise() may be called any number of
/// times with different weights; each call goes on from the last call's
/// flow, so calls with weights that differ in few places are cheap. The
/// object owns its graph.
class CreditCut {
 public:
  explicit CreditCut(int32_t variables);

  /// Earns `credit` when every variable in `variables` equals `value`.
  /// REQUIRES: credit >= 0, variables non-empty and in range, no
  /// maximise() yet.
  void addCredit(std::vector<int32_t> variables, bool value, int64_t credit);

  /// Values reaching the largest total and that total.
  struct Best {
    std::vector<char> values;
    int64_t total = 0;
  };
  /// The maximum with `weights[i]` earned for variable i at 1, or none
  /// when `stop` returned true first. REQUIRES: weights has one entry per
  /// variable; the totals fit in 62 bits.
  std::optional<Best> maximise(const std::vector<int64_t>& weights, const std::function<bool()>& stop);

  /// The total at `values`, summed from the credits (no cut).
  int64_t totalAt(const std::vector<char>& values, const std::vector<int64_t>& weights) const;

 private:
  struct Credit {
    std::vector<int32_t> variables;
    bool value = true;
    int64_t credit = 0;
  };
  void addCreditArcs(const Credit& credit);
  void addToCost(int32_t node, int64_t costAtOne) { costAtOne_[node] += costAtOne; }
  int32_t newNode();
  void buildGraph();

  int32_t variables_;
  std::vector<Credit> credits_;
  // The energy: minus the total, as a constant plus a cost per graph node
  // at 1 (variables, then helper nodes) plus the pairwise arcs' costs.
  int64_t constant_ = 0;
  std::vector<int64_t> costAtOne_;
  std::vector<std::pair<int32_t, int32_t>> pairArcs_;  // cost when from is 0 and to is 1
  std::vector<int64_t> pairCosts_;
  std::optional<MaxFlow> flow_;
  std::vector<int32_t> sourceArc_, sinkArc_;  // per graph node
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_CREDIT_CUT_H
