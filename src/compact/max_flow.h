#ifndef PARALOG_COMPACT_MAX_FLOW_H
#define PARALOG_COMPACT_MAX_FLOW_H

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace paralog::compact {

/// A directed graph with whole capacities on its arcs and a maximum flow
/// from one node to another through it (Dinic's blocking flows), with the
/// minimum cut that the flow proves.
///
/// Arcs are added first; capacities may then be changed between solves,
/// and each solve goes on from the flow the last one left, so a solve
/// after a few changes needs few paths. The object owns its arrays and
/// keeps no reference to anything.
class MaxFlow {
 public:
  explicit MaxFlow(int32_t nodes);

  /// Adds an arc and returns its id. REQUIRES: from, to in range, capacity
  /// >= 0, no solve yet.
  int32_t addArc(int32_t from, int32_t to, int64_t capacity);
  /// REQUIRES: `arc` returned by addArc, capacity >= flowOn(arc).
  void setCapacity(int32_t arc, int64_t capacity) { residual_[2 * arc] = capacity - flowOn(arc); }
  /// The flow that the solves so far have left on `arc`.
  int64_t flowOn(int32_t arc) const { return residual_[2 * arc + 1]; }
  /// Sets the capacities of a node's arc from the source and its arc to
  /// the sink and keeps the flow feasible: flow straight through the node
  /// is taken back, and where the flow left still exceeds a new capacity,
  /// both are raised by the same amount, which raises every cut by that
  /// much and moves no minimum cut. Returns that amount.
  /// REQUIRES: `fromSource` runs from the source to a node and `toSink`
  /// from that node to the sink; both capacities >= 0.
  int64_t setTerminalCapacities(int32_t fromSource, int64_t sourceCapacity, int32_t toSink, int64_t sinkCapacity);

  /// The value of a maximum flow from `source` to `sink`, or none when
  /// `stop` (asked once per blocking flow) returned true first; the flow
  /// reached so far stays for the next solve.
  /// REQUIRES: source != sink, the same source and sink at every solve.
  std::optional<int64_t> solve(int32_t source, int32_t sink, const std::function<bool()>& stop);
  /// After a finished solve: true for the nodes that the flow leaves
  /// reachable from the source, the source side of a minimum cut.
  bool sourceSide(int32_t node) const { return level_[node] >= 0; }

 private:
  void buildAdjacency();
  bool levelNodes(int32_t source, int32_t sink);
  int64_t blockingFlow(int32_t source, int32_t sink);
  int64_t pushAlong(const std::vector<int32_t>& path);

  int32_t nodes_;
  // Arc 2a runs from_ -> to_; arc 2a + 1 is its reverse (capacity 0), so
  // the residual of 2a + 1 is the flow on arc a.
  std::vector<int32_t> to_;
  std::vector<int64_t> residual_;
  int64_t value_ = 0;  // of the flow the solves have left
  std::vector<int32_t> firstArc_;  // per node, into arcsOf_ (one past the last node: the end)
  std::vector<int32_t> arcsOf_;
  std::vector<int32_t> level_;
  std::vector<int32_t> next_;  // per node, the next arc of arcsOf_ to try
  std::vector<int32_t> queue_;
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_MAX_FLOW_H
