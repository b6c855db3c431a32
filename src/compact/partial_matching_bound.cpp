#include "compact/partial_matching_bound.h"

#include <algorithm>
#include <utility>

namespace paralog::compact {
namespace {

// How a segment of decided links ends on one side. Telomere, free first
// and free second are ordered as in PieceEnd.
enum SegmentEnd { kTelomereEnd = 0, kFreeFirstEnd = 1, kFreeSecondEnd = 2, kOpenEnd = 3 };

// Whether a circular chromosome is surely alive, surely dead or not yet
// known under a partial matching.
enum ChromosomeStatus { kAlive, kDead, kUnknown };

}  // namespace

struct PartialMatchingBound::Segment {
  int32_t nodes = 0;
  int32_t flips = 0;      ///< adjacency nodes
  int32_t freeEnds = 0;   ///< ends of copies decided unmatched
  bool cycle = false;
  bool mayDie = false;    ///< on a circular chromosome whose fate is open
  int endCount = 0;
  int ends[2] = {kOpenEnd, kOpenEnd};

  void finish(int end) { ends[endCount++] = end; }
  bool open() const { return mayDie || (!cycle && (ends[0] == kOpenEnd || ends[1] == kOpenEnd)); }
  bool reachesTelomere() const { return ends[0] == kTelomereEnd || ends[1] == kTelomereEnd; }
};

PartialMatchingBound::PartialMatchingBound(const PieceGraph& graph)
    : graph_(graph),
      conserved_(graph.nodes().size()),
      seen_(graph.nodes().size(), 0),
      matchedOn_(graph.chromosomes().size()),
      undecidedOn_(graph.chromosomes().size()) {
  for (size_t n = 0; n < graph.nodes().size(); ++n) addConservedOptions(static_cast<int32_t>(n));
}

// A node's two ends form a conserved adjacency with a node of the other
// genome when each is linked, end kind to the same end kind, to one end of
// that node.
void PartialMatchingBound::addConservedOptions(int32_t node) {
  const PieceGraph::Node& here = graph_.nodes()[node];
  if (here.telomere()) return;
  const int32_t e0 = here.ends[0];
  const int32_t e1 = here.ends[1];
  for (const int32_t pa : graph_.pairsOf(PieceGraph::copyOf(e0))) {
    const PieceGraph::Pair& a = graph_.pairs()[pa];
    const int32_t partner = here.genome == 0 ? a.second : a.first;
    const int32_t f0 = PieceGraph::extremity(partner, e0 % 2);
    const int32_t f1 = graph_.otherEnd(f0);
    if (f1 < 0 || f1 % 2 != e1 % 2) continue;
    for (const int32_t pb : graph_.pairsOf(PieceGraph::copyOf(e1))) {
      const PieceGraph::Pair& b = graph_.pairs()[pb];
      if ((here.genome == 0 ? b.second : b.first) == PieceGraph::copyOf(f1)) {
        conserved_[node].push_back({graph_.nodeOf(f0), {pa, pb}});
      }
    }
  }
}

bool PartialMatchingBound::pairAllowed(int32_t pair, const PartialMatching& partial) const {
  const PieceGraph::Pair& p = graph_.pairs()[pair];
  const int32_t decided = partial.decision[p.first];
  return decided == pair ||
         (decided == PartialMatching::kUndecided && partial.decision[p.second] == PartialMatching::kUndecided);
}

bool PartialMatchingBound::mayEndConserved(int32_t node, const PartialMatching& partial) const {
  return std::any_of(conserved_[node].begin(), conserved_[node].end(), [&](const ConservedOption& option) {
    return pairAllowed(option.pairs[0], partial) && pairAllowed(option.pairs[1], partial);
  });
}

int PartialMatchingBound::chromosomeStatus(int32_t chromosome) const {
  const PieceGraph::ChromosomeInfo& info = graph_.chromosomes()[chromosome];
  if (!info.circular || info.copies.empty() || matchedOn_[chromosome] > 0) return kAlive;
  return undecidedOn_[chromosome] > 0 ? kUnknown : kDead;
}

void PartialMatchingBound::walkFrom(int32_t node, int32_t out, int32_t start, const PartialMatching& partial,
                                    Segment& segment) {
  for (;;) {
    const int32_t decided = partial.decision[PieceGraph::copyOf(out)];
    if (decided == PartialMatching::kUndecided) return segment.finish(kOpenEnd);
    if (decided == PartialMatching::kUnmatched) {
      ++segment.freeEnds;
      return segment.finish(graph_.nodes()[node].genome == 0 ? kFreeFirstEnd : kFreeSecondEnd);
    }
    const PieceGraph::Pair& pair = graph_.pairs()[decided];
    const int32_t partner = graph_.nodes()[node].genome == 0 ? pair.second : pair.first;
    const int32_t in = PieceGraph::extremity(partner, out % 2);
    node = graph_.nodeOf(in);
    if (node == start) {
      segment.cycle = true;
      return;
    }
    seen_[node] = call_;
    segmentNodes_.push_back(node);
    ++segment.nodes;
    out = graph_.otherEnd(in);
    if (out < 0) return segment.finish(kTelomereEnd);
    ++segment.flips;
  }
}

PartialMatchingBound::Segment PartialMatchingBound::walkSegment(int32_t node, const PartialMatching& partial) {
  Segment segment;
  const PieceGraph::Node& here = graph_.nodes()[node];
  seen_[node] = call_;
  segmentNodes_.assign(1, node);
  segment.nodes = 1;
  segment.mayDie = chromosomeStatus(here.chromosome) == kUnknown;
  if (here.telomere()) {
    segment.finish(kTelomereEnd);
  } else {
    segment.flips = 1;
    walkFrom(node, here.ends[0], node, partial, segment);
    if (segment.cycle) return segment;
  }
  walkFrom(node, here.telomere() ? here.ends[0] : here.ends[1], node, partial, segment);
  return segment;
}

// What a segment whose pieces are all decided earns, as
// scoreWithOpenJoins counts it.
double closedValue(const PieceGraph& graph, int32_t node, int a, int b, int32_t nodes, int32_t flips) {
  if (a > b) std::swap(a, b);
  if (a == b && a != kTelomereEnd) return nodes == 1 && graph.sharedFirstNode(node) ? 0 : 2;
  if (a == kFreeFirstEnd) return 1;
  if (b == kTelomereEnd) return flips % 2 == 0 ? 1 : 0;
  return 0.5;
}

void PartialMatchingBound::addClosed(int32_t node, const Segment& segment, double value) {
  closed_.value += value;
  closed_.nodes += segment.nodes;
  closed_.freeEnds += segment.freeEnds;
  if (segment.cycle && segment.nodes == 2) {
    closed_.twoNodeCycles.insert(closed_.twoNodeCycles.end(), segmentNodes_.begin(), segmentNodes_.end());
  }
  const PieceGraph::Node& here = graph_.nodes()[node];
  const bool aloneFree = segment.nodes == 1 && !here.telomere() && segment.freeEnds == 2;
  if (aloneFree) closed_.aloneNodes.push_back(node);
  for (const int32_t member : segmentNodes_) closed_.closedNode[member] = 1;
}

double PartialMatchingBound::operator()(const PartialMatching& partial) {
  if (++call_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    call_ = 1;
  }
  std::fill(matchedOn_.begin(), matchedOn_.end(), 0);
  std::fill(undecidedOn_.begin(), undecidedOn_.end(), 0);
  closed_.value = 0;
  closed_.nodes = closed_.freeEnds = closed_.excessQuarters = 0;
  closed_.aloneNodes.clear();
  closed_.twoNodeCycles.clear();
  closed_.closedNode.assign(graph_.nodes().size(), 0);
  double bound = 0;
  for (size_t c = 0; c < graph_.copies().size(); ++c) {
    const int32_t decided = partial.decision[c];
    const int32_t chromosome = graph_.copies()[c].chromosome;
    if (decided == PartialMatching::kUndecided) ++undecidedOn_[chromosome], bound += 1;
    if (decided >= 0) ++matchedOn_[chromosome], bound += 1;  // 2 per matched pair
  }
  for (size_t c = 0; c < graph_.chromosomes().size(); ++c) {
    const auto genes = static_cast<double>(graph_.chromosomes()[c].copies.size());
    if (chromosomeStatus(static_cast<int32_t>(c)) == kDead && genes >= 2) bound += genes - 1;
    if (chromosomeStatus(static_cast<int32_t>(c)) == kDead) closed_.value += std::max(genes - 1, 0.0);
  }
  for (size_t n = 0; n < graph_.nodes().size(); ++n) {
    const auto node = static_cast<int32_t>(n);
    if (seen_[node] == call_) continue;
    if (chromosomeStatus(graph_.nodes()[node].chromosome) == kDead) {
      segmentNodes_.assign(1, node);
      Segment alone;
      alone.nodes = 1;
      alone.freeEnds = 2;
      addClosed(node, alone, 0);
      continue;
    }
    const Segment segment = walkSegment(node, partial);
    if (segment.cycle && !segment.mayDie) {
      bound += 2;
      addClosed(node, segment, 2);
    } else if (!segment.open()) {
      const double value = closedValue(graph_, node, segment.ends[0], segment.ends[1], segment.nodes, segment.flips);
      bound += value;
      addClosed(node, segment, value);
    } else {
      int32_t extras = 0;
      const bool mayBeShort = segment.nodes <= 2 && segment.ends[0] == kOpenEnd && segment.ends[1] == kOpenEnd;
      if (segment.nodes == 1 && !graph_.nodes()[node].telomere() && !graph_.sharedFirstNode(node)) {
        extras = 1;  // may end alone, both ends free
      } else if (mayBeShort) {
        for (const int32_t member : segmentNodes_) extras += mayEndConserved(member, partial) ? 1 : 0;
      }
      const double share = 0.5 * (segment.nodes + extras + segment.freeEnds);
      const int cap = segment.reachesTelomere() ? 1 : 2;
      bound += std::min(share, static_cast<double>(cap));
      if (!segment.mayDie) closed_.excessQuarters += std::max(0, 2 * segment.nodes + segment.freeEnds - 4 * cap);
    }
  }
  return bound;
}

}  // namespace paralog::compact
