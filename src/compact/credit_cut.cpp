#include "compact/credit_cut.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace paralog::compact {

CreditCut::CreditCut(int32_t variables) : variables_(variables), costAtOne_(variables, 0) {}

int32_t CreditCut::newNode() {
  costAtOne_.push_back(0);
  return static_cast<int32_t>(costAtOne_.size() - 1);
}

void CreditCut::addCredit(std::vector<int32_t> variables, bool value, int64_t credit) {
  std::sort(variables.begin(), variables.end());
  variables.erase(std::unique(variables.begin(), variables.end()), variables.end());
  credits_.push_back({std::move(variables), value, credit});
  addCreditArcs(credits_.back());
}

// Minus the credit as costs of the minimum cut (a node at 1 is on the
// sink side; an arc costs when its tail is 0 and its head 1). With x the
// variables: -c x_a; -c x_a x_b = -c x_b + c (1 - x_a) x_b; over three or
// more, a helper y: min over y of -c y + c y (sum of (1 - x_i)). Earned at
// 0: -c (1 - x_a) = -c + c x_a; -c (1 - x_a)(1 - x_b) = -c + c x_a +
// c (1 - x_a) x_b; over more, a helper y at 0 earns: -c + c y + c (1 - y)
// (sum of x_i).
void CreditCut::addCreditArcs(const Credit& c) {
  const std::vector<int32_t>& v = c.variables;
  const auto arc = [&](int32_t from, int32_t to) {
    pairArcs_.emplace_back(from, to);
    pairCosts_.push_back(c.credit);
  };
  if (c.value) {
    if (v.size() <= 2) {
      addToCost(v.back(), -c.credit);
      if (v.size() == 2) arc(v[0], v[1]);
      return;
    }
    const int32_t helper = newNode();
    addToCost(helper, -c.credit);
    for (const int32_t x : v) arc(x, helper);
    return;
  }
  constant_ -= c.credit;
  if (v.size() <= 2) {
    addToCost(v[0], c.credit);
    if (v.size() == 2) arc(v[0], v[1]);
    return;
  }
  const int32_t helper = newNode();
  addToCost(helper, c.credit);
  for (const int32_t x : v) arc(helper, x);
}

void CreditCut::buildGraph() {
  const auto nodes = static_cast<int32_t>(costAtOne_.size());
  flow_.emplace(nodes + 2);
  for (int32_t n = 0; n < nodes; ++n) {
    sourceArc_.push_back(flow_->addArc(nodes, n, 0));
    sinkArc_.push_back(flow_->addArc(n, nodes + 1, 0));
  }
  for (size_t a = 0; a < pairArcs_.size(); ++a) flow_->addArc(pairArcs_[a].first, pairArcs_[a].second, pairCosts_[a]);
}

std::optional<CreditCut::Best> CreditCut::maximise(const std::vector<int64_t>& weights,
                                                   const std::function<bool()>& stop) {
  if (!flow_) buildGraph();
  const auto nodes = static_cast<int32_t>(costAtOne_.size());
  int64_t constant = constant_;
  for (int32_t n = 0; n < nodes; ++n) {
    // A negative cost at 1 is that cost plus its opposite at 0.
    const int64_t cost = costAtOne_[n] - (n < variables_ ? weights[n] : 0);
    const int64_t raise = flow_->setTerminalCapacities(sourceArc_[n], std::max<int64_t>(cost, 0), sinkArc_[n],
                                                       std::max<int64_t>(-cost, 0));
    constant += std::min<int64_t>(cost, 0) - raise;
  }
  const std::optional<int64_t> cut = flow_->solve(nodes, nodes + 1, stop);
  if (!cut) return std::nullopt;
  Best best;
  best.values.resize(variables_);
  for (int32_t i = 0; i < variables_; ++i) best.values[i] = flow_->sourceSide(i) ? 0 : 1;
  best.total = -(constant + *cut);
  // The cut's side must earn what the flow proves no values can beat.
  const int64_t earned = totalAt(best.values, weights);
  if (earned != best.total) {
    throw std::logic_error("the minimum cut of the score bound earns " + std::to_string(earned) +
                           " where its flow proves " + std::to_string(best.total));
  }
  return best;
}

int64_t CreditCut::totalAt(const std::vector<char>& values, const std::vector<int64_t>& weights) const {
  int64_t total = 0;
  for (int32_t i = 0; i < variables_; ++i) total += values[i] ? weights[i] : 0;
  for (const Credit& c : credits_) {
    const bool earned = std::all_of(c.variables.begin(), c.variables.end(),
                                    [&](int32_t x) { return (values[x] != 0) == c.value; });
    total += earned ? c.credit : 0;
  }
  return total;
}

}  // namespace paralog::compact
