#include "compact/score_bound.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <utility>

#include "compact/cut_bound.h"

namespace paralog::compact {
namespace {

// An adjacency by what a conserved adjacency must keep: the gene names and
// end kinds of its two ends, in order.
using NodeType = std::pair<std::pair<std::string_view, int>, std::pair<std::string_view, int>>;

NodeType typeOf(const PieceGraph& graph, const PieceGraph::Node& node) {
  std::pair<std::string_view, int> a{graph.copies()[PieceGraph::copyOf(node.ends[0])].name, node.ends[0] % 2};
  std::pair<std::string_view, int> b{graph.copies()[PieceGraph::copyOf(node.ends[1])].name, node.ends[1] % 2};
  if (b < a) std::swap(a, b);
  return {a, b};
}

// Per copy, its ends whose node may be a conserved adjacency (a cycle of
// two links: the other genome has a node of its type), and its ends whose
// node may be a piece alone earning 2 (an adjacency of the second genome,
// or of the first that is not shared).
struct EndCounts {
  std::vector<int> conservable;
  std::vector<int> alone;
};

EndCounts countEnds(const PieceGraph& graph) {
  std::set<NodeType> types[2];
  for (const PieceGraph::Node& node : graph.nodes()) {
    if (!node.telomere()) types[node.genome].insert(typeOf(graph, node));
  }
  EndCounts counts{std::vector<int>(graph.copies().size()), std::vector<int>(graph.copies().size())};
  for (size_t n = 0; n < graph.nodes().size(); ++n) {
    const PieceGraph::Node& node = graph.nodes()[n];
    if (node.telomere()) continue;
    const bool conservable = types[1 - node.genome].count(typeOf(graph, node)) > 0;
    const bool alone = node.genome == 1 || !graph.sharedFirstNode(static_cast<int32_t>(n));
    for (const int32_t end : node.ends) {
      counts.conservable[PieceGraph::copyOf(end)] += conservable ? 1 : 0;
      counts.alone[PieceGraph::copyOf(end)] += alone ? 1 : 0;
    }
  }
  return counts;
}

// The most ends in nodes that need the extra, summed over copies: a copy
// matched has them only in conserved adjacencies, one unmatched only in
// pieces alone. A copy whose only candidate has no other candidate is
// matched exactly when that one is, so the two count together.
int64_t extraEnds(const PieceGraph& graph) {
  const EndCounts counts = countEnds(graph);
  int64_t total = 0;
  for (size_t c = 0; c < graph.copies().size(); ++c) {
    const std::vector<int32_t>& pairs = graph.pairsOf(static_cast<int32_t>(c));
    if (pairs.size() == 1) {
      const PieceGraph::Pair& pair = graph.pairs()[pairs[0]];
      if (graph.pairsOf(pair.first).size() == 1 && graph.pairsOf(pair.second).size() == 1) {
        if (static_cast<int32_t>(c) == pair.first) {
          total += std::max(counts.conservable[pair.first] + counts.conservable[pair.second],
                            counts.alone[pair.first] + counts.alone[pair.second]);
        }
        continue;
      }
    }
    total += pairs.empty() ? counts.alone[c] : std::max(counts.conservable[c], counts.alone[c]);
  }
  return total;
}

}  // namespace

// Per piece, what it earns (its share of the joins included) is at most
// half its node count plus half its free ends, plus 1/2 for each node of a
// conserved adjacency and each node alone that earns 2; summed, the free
// ends give back what the matched pairs earn. The documentation has the
// full argument.
int64_t scoreUpperBound(const PieceGraph& graph) {
  const int64_t nodes = static_cast<int64_t>(graph.nodes().size());
  const int64_t copies = static_cast<int64_t>(graph.copies().size());
  // nodes / 2 + copies + extraEnds / 4, rounded down: scores are whole.
  const int64_t refined = (2 * nodes + 4 * copies + extraEnds(graph)) / 4;
  return std::min(nodes + copies, refined);
}

int64_t scoreUpperBound(const PieceGraph& graph, const SolveControl& control, bool matchAll) {
  const int64_t counted = scoreUpperBound(graph);
  const std::optional<int64_t> cut = cutScoreBound(graph, control, matchAll);
  return cut ? std::min(counted, *cut) : counted;
}

}  // namespace paralog::compact
