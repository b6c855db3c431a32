#include "compact/conserved_adjacencies.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "compact/pair_moves.h"

namespace paralog::compact {
namespace {

// Pairs every --match-all matching has: per family, the smaller side's
// copy count (candidate pairs come family by family).
int64_t matchAllPairCount(const PieceGraph& graph) {
  const auto& pairs = graph.pairs();
  int64_t count = 0;
  for (size_t begin = 0; begin < pairs.size();) {
    const std::string_view family = graph.copies()[pairs[begin].first].name;
    std::set<int32_t> firstCopies, secondCopies;
    size_t end = begin;
    for (; end < pairs.size() && graph.copies()[pairs[end].first].name == family; ++end) {
      firstCopies.insert(pairs[end].first);
      secondCopies.insert(pairs[end].second);
    }
    count += static_cast<int64_t>(std::min(firstCopies.size(), secondCopies.size()));
    begin = end;
  }
  return count;
}

}  // namespace

std::vector<ConservedAdjacency> conservedAdjacencies(const PieceGraph& graph) {
  std::vector<ConservedAdjacency> result;
  for (size_t v = 0; v < graph.nodes().size(); ++v) {
    const PieceGraph::Node& node = graph.nodes()[v];
    if (node.genome != 0 || node.telomere()) continue;
    const int32_t x = node.ends[0];
    const int32_t y = node.ends[1];
    for (int32_t p : graph.pairsOf(PieceGraph::copyOf(x))) {
      const int32_t partnerEnd = PieceGraph::extremity(graph.pairs()[p].second, x % 2);
      const int32_t beyond = graph.otherEnd(partnerEnd);
      if (beyond < 0 || beyond % 2 != y % 2) continue;
      const int32_t q = pairBetween(graph, PieceGraph::copyOf(y), PieceGraph::copyOf(beyond));
      if (q >= 0) result.push_back({static_cast<int32_t>(v), p, q});
    }
  }
  return result;
}

double matchAllScoreBound(const PieceGraph& graph) {
  const auto copies = static_cast<double>(graph.copies().size());
  const auto matched = static_cast<double>(matchAllPairCount(graph));
  const auto conserved = static_cast<double>(conservedAdjacencies(graph).size());
  double telomeres = 0;
  for (const PieceGraph::Node& node : graph.nodes()) telomeres += node.telomere() ? 1 : 0;
  return 2 * copies - matched + std::min(conserved, matched) + telomeres / 2;
}

}  // namespace paralog::compact
