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
/// and each solve starts from no flow. The object owns its arrays and
/// keeps no reference to anything.
class MaxFlow {
 public:
  explicit MaxFlow(int32_t nodes);

  /// Adds an arc and returns its id. REQUIRES: from, to in range, capacity
  /// >= 0, no solve yet.
  int32_t addArc(int32_t from, int32_t to, int64_t capacity);
  /// REQUIRES: `arc` returned by addArc, capacity >= 0.
  void setCapacity(int32_t arc, int64_t capacity) { capacity_[2 * arc] = capacity; }

  /// The value of a maximum flow from `source` to `sink`, or none when
  /// `stop` (asked once per blocking flow) returned true first.
  /// REQUIRES: source != sink.
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
  // Arc 2a runs from_ -> to_; arc 2a + 1 is its reverse (capacity 0).
  std::vector<int32_t> to_;
  std::vector<int64_t> capacity_;
  std::vector<int64_t> residual_;
  std::vector<int32_t> firstArc_;  // per node, into arcsOf_ (one past the last node: the end)
  std::vector<int32_t> arcsOf_;
  std::vector<int32_t> level_;
  std::vector<int32_t> next_;  // per node, the next arc of arcsOf_ to try
  std::vector<int32_t> queue_;
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_MAX_FLOW_H
