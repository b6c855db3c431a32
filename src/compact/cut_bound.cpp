#include "compact/cut_bound.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "compact/conserved_adjacencies.h"
#include "compact/credit_cut.h"

namespace paralog::compact {
namespace {

// A unit of credit in the cut (a matched pair, a node alone; a node of a
// conserved adjacency earns half); the multipliers are whole multiples of
// its inverse.
constexpr int64_t kScale = 1024;
// Multiplier updates at most; each is one minimum cut.
constexpr int kRounds = 60;

// The 0/1 variables of the cut, "this copy is matched": one per copy with
// a candidate, except that a copy whose only candidate has no other shares
// its partner's variable (the two are matched together or not at all).
// The copies of a family with its own variables must be matched as often
// in one genome as in the other; that is what the multipliers price.
}  // namespace

struct CutBound::CopyStates {
  std::vector<int32_t> variableOf;  // per copy; -1 for a copy never matched
  std::vector<int32_t> familyOf;    // per variable; -1 for a shared one
  std::vector<int32_t> sideOf;      // per variable: 1 first genome, -1 second
  int32_t variables = 0;
  int32_t families = 0;
};

namespace {

using CopyStates = CutBound::CopyStates;

CopyStates copyStates(const PieceGraph& graph) {
  CopyStates states;
  states.variableOf.assign(graph.copies().size(), -1);
  std::map<std::string_view, int32_t> familyIndex;
  for (int32_t c = 0; c < static_cast<int32_t>(graph.copies().size()); ++c) {
    const std::vector<int32_t>& pairs = graph.pairsOf(c);
    if (pairs.empty() || states.variableOf[c] >= 0) continue;
    states.variableOf[c] = states.variables++;
    const PieceGraph::Pair& pair = graph.pairs()[pairs[0]];
    const int32_t partner = pair.first == c ? pair.second : pair.first;
    if (pairs.size() == 1 && graph.pairsOf(partner).size() == 1) {
      states.variableOf[partner] = states.variableOf[c];
      states.familyOf.push_back(-1);
      states.sideOf.push_back(0);
      continue;
    }
    const auto [entry, added] = familyIndex.emplace(graph.copies()[c].name, states.families);
    if (added) ++states.families;
    states.familyOf.push_back(entry->second);
    states.sideOf.push_back(graph.copies()[c].genome == 0 ? 1 : -1);
  }
  return states;
}

// The variables of the copies of an adjacency's two ends; copies never
// matched have none.
std::vector<int32_t> nodeVariables(const PieceGraph& graph, const CopyStates& states, int32_t node) {
  std::vector<int32_t> variables;
  for (const int32_t end : graph.nodes()[node].ends) {
    const int32_t variable = states.variableOf[PieceGraph::copyOf(end)];
    if (variable >= 0) variables.push_back(variable);
  }
  return variables;
}

// Marks the shared first-genome nodes that pay for their twin's credit
// alone: those whose copies' variables are all among the twin's, so that
// the twin alone leaves them alone too, or on a dead chromosome.
void markPayingTwins(const PieceGraph& graph, const CopyStates& states, std::vector<char>& paying,
                     std::vector<char>& paidFor) {
  paying.assign(graph.nodes().size(), 0);
  paidFor.assign(graph.nodes().size(), 0);
  for (int32_t n = 0; n < static_cast<int32_t>(graph.nodes().size()); ++n) {
    const int32_t twin = graph.twinOfShared(n);
    if (twin < 0) continue;
    const std::vector<int32_t> own = nodeVariables(graph, states, n), twins = nodeVariables(graph, states, twin);
    const bool within = std::all_of(own.begin(), own.end(), [&](int32_t variable) {
      return std::find(twins.begin(), twins.end(), variable) != twins.end();
    });
    if (within) paying[n] = paidFor[twin] = 1;
  }
}

// A node alone with both ends free, 1: both copies unmatched. A shared
// node of the first genome earns nothing alone, and the twin it pays for
// earns no credit. Returns the nodes alone whatever the matching (both
// copies without candidates).
int64_t addAloneCredits(const PieceGraph& graph, const CopyStates& states, const std::vector<char>& paidFor,
                        CreditCut& cut) {
  int64_t always = 0;
  for (int32_t n = 0; n < static_cast<int32_t>(graph.nodes().size()); ++n) {
    const PieceGraph::Node& node = graph.nodes()[n];
    if (node.telomere() || (node.genome == 0 && graph.sharedFirstNode(n)) || paidFor[n]) continue;
    const std::vector<int32_t> variables = nodeVariables(graph, states, n);
    if (variables.empty()) {
      ++always;
    } else {
      cut.addCredit(variables, false, kScale);
    }
  }
  return always;
}

// A circular first-genome chromosome of g genes with s shared nodes, p of
// which pay for their twins, max(0, s + p - g - 1) when it is dead (all of
// its copies unmatched): by that much its shares (g) and its other nodes'
// credits alone (g - s) fall short of its reward (g - 1) and the twins'
// credits (p). Returns that amount for dead chromosomes whose copies have
// no candidates.
int64_t addDeadCredits(const PieceGraph& graph, const CopyStates& states, const std::vector<char>& paying,
                       CreditCut& cut) {
  std::vector<int64_t> sharedAndPaying(graph.chromosomes().size(), 0);
  for (int32_t n = 0; n < static_cast<int32_t>(graph.nodes().size()); ++n) {
    sharedAndPaying[graph.nodes()[n].chromosome] += (graph.sharedFirstNode(n) ? 1 : 0) + paying[n];
  }
  int64_t always = 0;
  for (size_t c = 0; c < graph.chromosomes().size(); ++c) {
    const PieceGraph::ChromosomeInfo& chromosome = graph.chromosomes()[c];
    const auto genes = static_cast<int64_t>(chromosome.copies.size());
    const int64_t shortfall = sharedAndPaying[c] - genes - 1;
    if (!chromosome.circular || chromosome.genome != 0 || shortfall <= 0) continue;
    std::vector<int32_t> variables;
    for (const int32_t copy : chromosome.copies) {
      if (states.variableOf[copy] >= 0) variables.push_back(states.variableOf[copy]);
    }
    if (variables.empty()) {
      always += shortfall;
    } else {
      cut.addCredit(variables, false, shortfall * kScale);
    }
  }
  return always;
}

// A node of a conserved adjacency, 1/2: its copies are matched, and so are
// those of its partner node when it has only one that it could be
// conserved with.
std::vector<char> addConservedCredits(const PieceGraph& graph, const CopyStates& states, CreditCut& cut) {
  std::vector<std::vector<int32_t>> partners(graph.nodes().size());
  std::vector<char> credited(graph.nodes().size(), 0);
  for (const ConservedAdjacency& conserved : conservedAdjacencies(graph)) {
    const int32_t end = graph.nodes()[conserved.node].ends[0];
    const int32_t partner = graph.nodeOf(PieceGraph::extremity(graph.pairs()[conserved.pair].second, end % 2));
    partners[conserved.node].push_back(partner);
    partners[partner].push_back(conserved.node);
  }
  for (int32_t n = 0; n < static_cast<int32_t>(partners.size()); ++n) {
    std::vector<int32_t>& of = partners[n];
    if (of.empty()) continue;
    std::sort(of.begin(), of.end());
    of.erase(std::unique(of.begin(), of.end()), of.end());
    std::vector<int32_t> variables = nodeVariables(graph, states, n);
    if (of.size() == 1) {
      const std::vector<int32_t> more = nodeVariables(graph, states, of[0]);
      variables.insert(variables.end(), more.begin(), more.end());
    }
    cut.addCredit(variables, true, kScale / 2);
    credited[n] = 1;
  }
  return credited;
}

// Per family, matched copies of the first genome minus those of the second.
std::vector<int64_t> imbalanceOf(const CopyStates& states, const std::vector<char>& values) {
  std::vector<int64_t> imbalance(states.families, 0);
  for (int32_t v = 0; v < states.variables; ++v) {
    if (states.familyOf[v] >= 0 && values[v]) imbalance[states.familyOf[v]] += states.sideOf[v];
  }
  return imbalance;
}

// The values with free copies of the larger side unmatched, then free
// copies of the smaller side matched, until each family is balanced:
// states some matching can have, unless the held values leave a family
// unbalanced (`imbalance` then says where). Variables held at a value keep
// it.
std::vector<char> balanced(const CopyStates& states, std::vector<char> values, std::vector<int64_t>& imbalance,
                           const std::vector<int8_t>& held) {
  for (const int from : {1, 0}) {
    for (int32_t v = 0; v < states.variables; ++v) {
      const int32_t family = states.familyOf[v];
      if (family < 0 || values[v] != from || held[v] >= 0) continue;
      const int64_t toward = from ? states.sideOf[v] : -states.sideOf[v];
      if (imbalance[family] * toward <= 0) continue;
      values[v] = static_cast<char>(1 - from);
      imbalance[family] -= toward;
    }
  }
  return values;
}

// Under --match-all every family matches as many pairs as its smaller side
// has copies, and candidate pairs join each copy of a family in one genome
// to each in the other: the copies of the smaller side (of both when the
// sides are equal) are matched in every such matching, as are those whose
// only candidate has no other. 1 for those, -1 for the others.
std::vector<int8_t> matchedByEveryMatching(const CopyStates& states, bool matchAll) {
  std::vector<int8_t> held(states.variables, -1);
  if (!matchAll) return held;
  std::vector<std::array<int32_t, 2>> sides(states.families, {0, 0});
  for (int32_t v = 0; v < states.variables; ++v) {
    if (states.familyOf[v] >= 0) ++sides[states.familyOf[v]][states.sideOf[v] > 0 ? 0 : 1];
  }
  for (int32_t v = 0; v < states.variables; ++v) {
    const int32_t family = states.familyOf[v];
    const int side = states.sideOf[v] > 0 ? 0 : 1;
    if (family < 0 || sides[family][side] <= sides[family][1 - side]) held[v] = 1;
  }
  return held;
}

}  // namespace

CutBound::CutBound(const PieceGraph& graph, bool matchAll)
    : graph_(graph), states_(std::make_unique<CopyStates>(copyStates(graph))), cut_(states_->variables) {
  markPayingTwins(graph, *states_, paying_, paidFor_);
  always_ = addAloneCredits(graph, *states_, paidFor_, cut_) + addDeadCredits(graph, *states_, paying_, cut_);
  conservedCredit_ = addConservedCredits(graph, *states_, cut_);
  multiplier_.assign(states_->families, 0);
  alwaysHeld_ = matchedByEveryMatching(*states_, matchAll);
  held_ = alwaysHeld_;
}

CutBound::~CutBound() = default;

bool CutBound::matchedInLastCut(int32_t copy) const {
  const int32_t variable = states_->variableOf[copy];
  return variable >= 0 && !bestValues_.empty() && bestValues_[variable] != 0;
}

void CutBound::holdDecisions(const PartialMatching* partial) {
  held_ = alwaysHeld_;
  if (partial == nullptr) return;
  for (size_t c = 0; c < partial->decision.size(); ++c) {
    const int32_t variable = states_->variableOf[c];
    const int32_t decided = partial->decision[c];
    if (variable < 0 || decided == PartialMatching::kUndecided) continue;
    held_[variable] = decided >= 0 ? 1 : 0;
  }
}

// The most credit over the states of every matching, from above: for any
// multipliers, the best total with each family's imbalance priced is at
// least that most (a balanced state pays nothing). A matched pair earns 1:
// a shared variable 1, a family's copy 1/2 in either genome. The
// multipliers follow the imbalance (subgradient steps of Polyak's length
// toward the best balanced total seen), starting from those the last call
// ended with. Held variables are forced by a weight larger than every
// credit, taken off the totals again. In kScale units.
std::optional<int64_t> CutBound::mostCredit(int rounds, const SolveControl& control, const EnoughHalves& enough) {
  const CopyStates& states = *states_;
  std::vector<int64_t> weights(states.variables, 0), pairCredit(states.variables, 0);
  int64_t heldOnes = 0;
  for (int32_t v = 0; v < states.variables; ++v) {
    pairCredit[v] = states.familyOf[v] < 0 ? kScale : kScale / 2;
    heldOnes += held_[v] == 1 ? 1 : 0;
  }
  const int64_t force = kScale * static_cast<int64_t>(4 * (graph_.nodes().size() + graph_.copies().size()) + 4);
  const auto stop = [&] { return control.stopReason().has_value(); };
  std::optional<int64_t> best;
  int64_t reached = 0;
  double length = 1;
  for (int round = 0, sinceBetter = 0; round < rounds; ++round) {
    for (int32_t v = 0; v < states.variables; ++v) {
      const int32_t family = states.familyOf[v];
      weights[v] = pairCredit[v] + (family < 0 ? 0 : multiplier_[family] * states.sideOf[v]);
      if (held_[v] >= 0) weights[v] = held_[v] == 1 ? weights[v] + force : -force;
    }
    const std::optional<CreditCut::Best> found = cut_.maximise(weights, stop);
    if (!found) break;
    const int64_t total = found->total - force * heldOnes;
    if (!best || total < *best) {
      best = total;
      bestValues_.assign(found->values.begin(), found->values.end());
      sinceBetter = 0;
    } else if (++sinceBetter == 3) {
      length /= 2;
      sinceBetter = 0;
    }
    const std::vector<int64_t> imbalance = imbalanceOf(states, found->values);
    std::vector<int64_t> left = imbalance;
    const std::vector<char> feasible = balanced(states, found->values, left, held_);
    if (std::all_of(left.begin(), left.end(), [](int64_t i) { return i == 0; })) {
      reached = std::max(reached, cut_.totalAt(feasible, pairCredit));
    }
    double norm = 0;
    for (const int64_t i : imbalance) norm += static_cast<double>(i * i);
    if (norm == 0 || *best / (kScale / 2) * (kScale / 2) <= reached) break;
    if (enough && enough(2 * always_ + *best / (kScale / 2))) break;
    const double move = length * static_cast<double>(total - reached) / norm;
    for (int32_t f = 0; f < states.families; ++f) {
      multiplier_[f] -= std::llround(move * static_cast<double>(imbalance[f]));
    }
  }
  return best;
}

std::optional<int64_t> CutBound::mostHalves(const PartialMatching* partial, int rounds, const SolveControl& control,
                                            const EnoughHalves& enough) {
  holdDecisions(partial);
  const std::optional<int64_t> most = mostCredit(rounds, control, enough);
  if (!most) return std::nullopt;
  return 2 * always_ + *most / (kScale / 2);
}

std::optional<int64_t> CutBound::operator()(const PartialMatching* partial, int rounds, const SolveControl& control) {
  const std::optional<int64_t> halves = mostHalves(partial, rounds, control);
  if (!halves) return std::nullopt;
  const auto nodes = static_cast<int64_t>(graph_.nodes().size());
  const auto copies = static_cast<int64_t>(graph_.copies().size());
  return (nodes + copies + *halves) / 2;
}

std::optional<int64_t> mostCutCredit(const PieceGraph& graph, const SolveControl& control) {
  return CutBound(graph).mostHalves(nullptr, kRounds, control);
}

// Per piece, with 1/2 per node and 1/4 per free end shared out: the score
// is at most N/2 + (C1 + C2)/2 + the credit of the matching.
std::optional<int64_t> cutScoreBound(const PieceGraph& graph, const SolveControl& control, bool matchAll) {
  return CutBound(graph, matchAll)(nullptr, kRounds, control);
}

// The shares of a closed piece are constant under the partial matching:
// 1/2 per node, 1/4 per free end, and the credits its nodes earn for sure
// (alone with both ends free, or in a closed cycle of two links, whose
// copies and partner's copies are all held matched). Swapping them for
// what the piece earns keeps the sum over pieces an upper bound. So does
// lowering an open segment's constant shares to what a piece through it
// can earn (2, or 1 with a telomere): a piece of several such segments
// earns no more than one alone may. In quarters.
std::optional<int64_t> CutBound::operator()(const PartialMatching& partial, const ClosedPieces& closed, int rounds,
                                            const SolveControl& control, std::optional<int64_t> enough) {
  const auto nodes = static_cast<int64_t>(graph_.nodes().size());
  const auto copies = static_cast<int64_t>(graph_.copies().size());
  int64_t conserved = 0;
  for (const int32_t node : closed.twoNodeCycles) conserved += conservedCredit_[node] ? 1 : 0;
  // A node alone earns its credit for sure, unless it is a twin paid for;
  // one that pays keeps its share to pay with while its twin is open.
  int64_t alone = 0;
  for (const int32_t node : closed.aloneNodes) {
    if (paying_[node]) {
      alone -= closed.closedNode[graph_.twinOfShared(node)] ? 0 : 1;
    } else if (!graph_.sharedFirstNode(node) && !paidFor_[node]) {
      ++alone;
    }
  }
  const int64_t shares =
      2 * closed.nodes + closed.freeEnds + 4 * alone + 2 * conserved + closed.excessQuarters;
  const auto value = static_cast<int64_t>(std::floor(4 * closed.value + 1e-9));
  const auto boundOf = [&](int64_t halves) { return (2 * (nodes + copies + halves) - shares + value) / 4; };
  const std::optional<int64_t> halves = mostHalves(&partial, rounds, control, [&](int64_t most) {
    return enough.has_value() && boundOf(most) <= *enough;
  });
  if (!halves) return std::nullopt;
  return boundOf(*halves);
}

}  // namespace paralog::compact
