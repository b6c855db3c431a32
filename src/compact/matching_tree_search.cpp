#include "compact/matching_tree_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

#include "compact/cut_bound.h"
#include "compact/partial_matching_bound.h"

namespace paralog::compact {
namespace {

// Work (tree nodes times the size of the graph) the search may spend, up to
// about three seconds on 37-gene pairs (800,000 nodes, a few minimum cuts
// each), where CBC proves little that the tree does not; beyond a few dozen
// genes the budget shrinks with the size again, as larger trees are seldom
// covered and CBC proves near pairs fast.
constexpr int64_t kWorkPerSearch = 240'000'000;
constexpr int64_t kSmallPairSize = 320;
// Copies whose ends may sit in conserved adjacencies are decided first:
// there the matching can gain, everywhere else matching mostly costs, and
// deciding the gains first cuts the tree a hundredfold on far-apart pairs.
// In the default program they come strictly first (the weight outweighs
// all the others together), which with the cut bound shrinks the trees of
// hard 37-gene pairs 1.4 to 1.8 times (5.8 to 3.6 million nodes on one).
// Under --match-all every family matches in full anyway and closing
// segments early matters as much: the lighter weight keeps trees half as
// large there.
constexpr int kConservableFirstWeight = 16;
constexpr int kConservableWeight = 4;
// Then copies with a single candidate pair (two choices, where a copy of a
// duplicated family has more): deciding them first keeps the tree narrow
// (on 37-gene pairs 1.3 million nodes to 0.78 million, 2.5 to 0.86).
constexpr int kOneCandidateWeight = 2;
// In the default program, a copy that the node's best cut matches while
// the best matching found leaves it unmatched comes after the others of
// like rank: these hopes of the bound are decided deep in the tree, where
// it is already low. On hard 37-gene pairs the trees are 2.4 to 5 times
// smaller (3.65 million nodes to 0.79 million on one); near pairs keep
// theirs (deferring also the copies that the cut leaves unmatched and the
// matching matches grows one 200-gene tree twentyfold); under --match-all
// the trees grow, so it is not used there.
constexpr int kHopedWeight = 8;
constexpr int64_t kPollEvery = 256;
// Multiplier updates of the cut bound per tree node: it starts from the
// last node's multipliers, and more rounds change the tree by well under
// 1% (37-gene pairs).
constexpr int kCutRounds = 3;
// Beyond a few hundred genes the tree is never covered within the budget.
constexpr size_t kLargestSearchedCopies = 500;

// Under --match-all each family matches as many pairs as it has copies
// with candidates in the genome with fewer: how far a partial matching is
// from that, so that a copy is left unmatched only while the family can
// still reach it.
class FamilyQuotas {
 public:
  explicit FamilyQuotas(const PieceGraph& graph) : graph_(graph), familyOf_(graph.copies().size(), -1) {
    std::map<std::string_view, int32_t> index;
    for (size_t c = 0; c < graph.copies().size(); ++c) {
      if (graph.pairsOf(static_cast<int32_t>(c)).empty()) continue;
      const auto [entry, added] = index.emplace(graph.copies()[c].name, static_cast<int32_t>(index.size()));
      if (added) undecided_.push_back({0, 0});
      familyOf_[c] = entry->second;
      ++undecided_[entry->second][graph.copies()[c].genome];
    }
    matched_.assign(undecided_.size(), 0);
    for (const std::array<int32_t, 2>& sides : undecided_) quota_.push_back(std::min(sides[0], sides[1]));
  }

  bool mayLeave(int32_t copy) const {
    const int32_t family = familyOf_[copy];
    if (family < 0) return true;
    std::array<int32_t, 2> left = undecided_[family];
    --left[graph_.copies()[copy].genome];
    return matched_[family] + std::min(left[0], left[1]) >= quota_[family];
  }

  /// Counts `copy` decided (with `other` when matched to it); a `step` of
  /// -1 takes the decision back.
  void decide(int32_t copy, int32_t other, int32_t step) {
    const int32_t family = familyOf_[copy];
    if (family < 0) return;
    undecided_[family][graph_.copies()[copy].genome] -= step;
    if (other < 0) return;
    undecided_[family][graph_.copies()[other].genome] -= step;
    matched_[family] += step;
  }

  bool met() const { return matched_ == quota_; }

 private:
  const PieceGraph& graph_;
  std::vector<int32_t> familyOf_;  ///< per copy; -1 for a copy without candidates
  std::vector<std::array<int32_t, 2>> undecided_;  ///< per family and genome
  std::vector<int32_t> matched_, quota_;           ///< pairs per family
};

// One depth-first branch and bound; the partial matching is changed in
// place and restored on the way back.
class TreeSearch {
 public:
  TreeSearch(const PieceGraph& graph, const CopyMatching& start, bool matchAll, int64_t maxTreeNodes,
             const SolveControl& control)
      : graph_(graph),
        bound_(graph),
        cutBound_(graph, matchAll),
        start_(start),
        matchAll_(matchAll),
        quotas_(graph),
        maxTreeNodes_(maxTreeNodes),
        control_(control) {
    partial_.decision.assign(graph.copies().size(), PartialMatching::kUndecided);
    outcome_.best = start;
    outcome_.score = scoreMatching(graph, start);
  }

  TreeSearchOutcome run() {
    descend();
    outcome_.proven = !gaveUp_;
    return outcome_;
  }

 private:
  void descend();
  bool mustStop();
  int32_t nextCopy() const;
  std::vector<int32_t> optionsOf(int32_t copy) const;
  void scoreLeaf();

  const PieceGraph& graph_;
  PartialMatchingBound bound_;
  CutBound cutBound_;
  const CopyMatching& start_;
  const bool matchAll_;
  FamilyQuotas quotas_;
  const int64_t maxTreeNodes_;
  const SolveControl& control_;
  PartialMatching partial_;
  TreeSearchOutcome outcome_;
  bool gaveUp_ = false;
};

bool TreeSearch::mustStop() {
  if (outcome_.treeNodes >= maxTreeNodes_) return true;
  return outcome_.treeNodes % kPollEvery == 0 && control_.stopReason().has_value();
}

// The copy to decide next: first those whose nodes may be conserved
// adjacencies, then those with one candidate, then the one whose ends sit
// beside the most decided ends (or telomeres), so that pieces close early
// and their bound falls to what they earn; in the default program, those
// that the last cut matches and the best matching does not last.
int32_t TreeSearch::nextCopy() const {
  int32_t chosen = -1;
  int best = std::numeric_limits<int>::min();
  const int conservableWeight = matchAll_ ? kConservableWeight : kConservableFirstWeight;
  for (size_t c = 0; c < graph_.copies().size(); ++c) {
    if (partial_.decision[c] != PartialMatching::kUndecided) continue;
    int closeness = 0;
    const int oneCandidate = graph_.pairsOf(static_cast<int32_t>(c)).size() == 1 ? kOneCandidateWeight : 0;
    for (int end = 0; end < 2; ++end) {
      const int32_t extremity = PieceGraph::extremity(static_cast<int32_t>(c), end);
      const int32_t other = graph_.otherEnd(extremity);
      if (bound_.mayBeConserved(graph_.nodeOf(extremity))) closeness += conservableWeight;
      closeness += oneCandidate;
      if (other < 0) closeness += 1;
      else if (partial_.decision[PieceGraph::copyOf(other)] != PartialMatching::kUndecided) closeness += 2;
    }
    const bool hoped = cutBound_.matchedInLastCut(static_cast<int32_t>(c)) && outcome_.best.pairOfCopy[c] < 0;
    if (!matchAll_ && hoped) closeness -= kHopedWeight;
    if (closeness > best) {
      best = closeness;
      chosen = static_cast<int32_t>(c);
    }
  }
  return chosen;
}

// The decisions open to `copy`: the start's first, then unmatched (under
// --match-all while its family can spare it), then each pair whose other
// copy is still undecided.
std::vector<int32_t> TreeSearch::optionsOf(int32_t copy) const {
  std::vector<int32_t> options;
  if (!matchAll_ || quotas_.mayLeave(copy)) options.push_back(PartialMatching::kUnmatched);
  for (const int32_t pair : graph_.pairsOf(copy)) {
    const PieceGraph::Pair& p = graph_.pairs()[pair];
    const int32_t other = p.first == copy ? p.second : p.first;
    if (partial_.decision[other] == PartialMatching::kUndecided) options.push_back(pair);
  }
  const auto first = std::find(options.begin(), options.end(), start_.pairOfCopy[copy]);
  if (first != options.end()) std::rotate(options.begin(), first, first + 1);
  return options;
}

void TreeSearch::scoreLeaf() {
  if (matchAll_ && !quotas_.met()) return;
  CopyMatching matching;
  matching.pairOfCopy.resize(partial_.decision.size());
  for (size_t c = 0; c < partial_.decision.size(); ++c) matching.pairOfCopy[c] = std::max(partial_.decision[c], -1);
  const int64_t score = scoreMatching(graph_, matching);
  if (score > outcome_.score) {
    outcome_.score = score;
    outcome_.best = std::move(matching);
  }
}

void TreeSearch::descend() {
  if (gaveUp_ || mustStop()) {
    gaveUp_ = true;
    return;
  }
  ++outcome_.treeNodes;
  // Scores are whole numbers: a bound below the best plus one cuts.
  if (std::floor(bound_(partial_) + 1e-9) <= static_cast<double>(outcome_.score)) return;
  // Where the counts of the partial bound leave room, the cut bound weighs
  // the undecided copies' states together.
  const std::optional<int64_t> cut = cutBound_(partial_, bound_.closed(), kCutRounds, control_, outcome_.score);
  if (cut && *cut <= outcome_.score) return;
  const int32_t copy = nextCopy();
  if (copy < 0) return scoreLeaf();
  for (const int32_t option : optionsOf(copy)) {
    int32_t other = -1;
    if (option >= 0) {
      const PieceGraph::Pair& p = graph_.pairs()[option];
      other = p.first == copy ? p.second : p.first;
      partial_.decision[other] = option;
    }
    partial_.decision[copy] = option;
    quotas_.decide(copy, other, 1);
    descend();
    quotas_.decide(copy, other, -1);
    partial_.decision[copy] = PartialMatching::kUndecided;
    if (other >= 0) partial_.decision[other] = PartialMatching::kUndecided;
    if (gaveUp_) return;
  }
}

}  // namespace

TreeSearchOutcome searchMatchingTree(const PieceGraph& graph, const CopyMatching& start, bool matchAll,
                                     int64_t maxTreeNodes, const SolveControl& control) {
  return TreeSearch(graph, start, matchAll, maxTreeNodes, control).run();
}

int64_t defaultTreeNodes(const PieceGraph& graph) {
  if (graph.copies().size() > kLargestSearchedCopies) return 0;
  const auto size = static_cast<int64_t>(graph.nodes().size() + graph.copies().size() + graph.pairs().size()) + 1;
  return kWorkPerSearch / size * kSmallPairSize / std::max(size, kSmallPairSize);
}

}  // namespace paralog::compact
