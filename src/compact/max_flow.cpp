#include "compact/max_flow.h"

#include <algorithm>
#include <limits>

namespace paralog::compact {

MaxFlow::MaxFlow(int32_t nodes) : nodes_(nodes) {}

int32_t MaxFlow::addArc(int32_t from, int32_t to, int64_t capacity) {
  const auto arc = static_cast<int32_t>(to_.size() / 2);
  to_.push_back(to);
  to_.push_back(from);
  residual_.push_back(capacity);
  residual_.push_back(0);
  return arc;
}

int64_t MaxFlow::setTerminalCapacities(int32_t fromSource, int64_t sourceCapacity, int32_t toSink,
                                       int64_t sinkCapacity) {
  const int64_t through = std::min(flowOn(fromSource), flowOn(toSink));
  for (const int32_t arc : {fromSource, toSink}) {
    residual_[2 * arc] += through;
    residual_[2 * arc + 1] -= through;
  }
  value_ -= through;
  const int64_t raise =
      std::max<int64_t>({0, flowOn(fromSource) - sourceCapacity, flowOn(toSink) - sinkCapacity});
  setCapacity(fromSource, sourceCapacity + raise);
  setCapacity(toSink, sinkCapacity + raise);
  return raise;
}

// Arcs grouped by the node they leave (both directions of every arc).
void MaxFlow::buildAdjacency() {
  firstArc_.assign(static_cast<size_t>(nodes_) + 1, 0);
  for (size_t i = 0; i < to_.size(); ++i) ++firstArc_[to_[i ^ 1] + 1];
  for (int32_t n = 0; n < nodes_; ++n) firstArc_[n + 1] += firstArc_[n];
  arcsOf_.assign(to_.size(), 0);
  std::vector<int32_t> fill(firstArc_.begin(), firstArc_.end() - 1);
  for (size_t i = 0; i < to_.size(); ++i) arcsOf_[fill[to_[i ^ 1]]++] = static_cast<int32_t>(i);
  level_.assign(nodes_, -1);
  next_.assign(nodes_, 0);
}

// Breadth-first levels over arcs with room left; true when the sink is
// reached. Every node reached gets a level, so after the last call the
// levelled nodes are the source side of a minimum cut.
bool MaxFlow::levelNodes(int32_t source, int32_t sink) {
  std::fill(level_.begin(), level_.end(), -1);
  queue_.clear();
  level_[source] = 0;
  queue_.push_back(source);
  for (size_t head = 0; head < queue_.size(); ++head) {
    const int32_t node = queue_[head];
    for (int32_t i = firstArc_[node]; i < firstArc_[node + 1]; ++i) {
      const int32_t arc = arcsOf_[i];
      if (residual_[arc] > 0 && level_[to_[arc]] < 0) {
        level_[to_[arc]] = level_[node] + 1;
        queue_.push_back(to_[arc]);
      }
    }
  }
  return level_[sink] >= 0;
}

int64_t MaxFlow::pushAlong(const std::vector<int32_t>& path) {
  int64_t room = std::numeric_limits<int64_t>::max();
  for (const int32_t arc : path) room = std::min(room, residual_[arc]);
  for (const int32_t arc : path) {
    residual_[arc] -= room;
    residual_[arc ^ 1] += room;
  }
  return room;
}

// Paths from the source along rising levels, walked without recursion
// (chains of genes make the levels deep); an arc that leads nowhere is
// passed over for the rest of this blocking flow.
int64_t MaxFlow::blockingFlow(int32_t source, int32_t sink) {
  for (int32_t n = 0; n < nodes_; ++n) next_[n] = firstArc_[n];
  std::vector<int32_t> path;
  int64_t total = 0;
  int32_t node = source;
  for (;;) {
    if (node == sink) {
      total += pushAlong(path);
      size_t keep = 0;
      while (keep < path.size() && residual_[path[keep]] > 0) ++keep;
      path.resize(keep);
      node = keep == 0 ? source : to_[path.back()];
      continue;
    }
    int32_t& i = next_[node];
    while (i < firstArc_[node + 1] &&
           (residual_[arcsOf_[i]] == 0 || level_[to_[arcsOf_[i]]] != level_[node] + 1)) {
      ++i;
    }
    if (i < firstArc_[node + 1]) {
      path.push_back(arcsOf_[i]);
      node = to_[arcsOf_[i]];
      continue;
    }
    if (node == source) return total;
    node = to_[path.back() ^ 1];
    path.pop_back();
    ++next_[node];
  }
}

std::optional<int64_t> MaxFlow::solve(int32_t source, int32_t sink, const std::function<bool()>& stop) {
  if (firstArc_.empty()) buildAdjacency();
  while (levelNodes(source, sink)) {
    if (stop()) return std::nullopt;
    value_ += blockingFlow(source, sink);
  }
  return value_;
}

}  // namespace paralog::compact
