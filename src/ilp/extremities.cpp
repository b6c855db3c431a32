#include "ilp/extremities.h"

#include <algorithm>
#include <numeric>

namespace paralog {

std::vector<Extremity> structureExtremities(const Structure& structure) {
  std::vector<Extremity> result;
  for (const auto& [name, indices] : structure.copies) {
    for (int32_t index : indices) {
      for (char end : kEndLabels) result.push_back(Extremity{name, index, end});
    }
  }
  return result;
}

std::vector<std::string> extremityKeys(const std::vector<Extremity>& extremities) {
  std::vector<std::string> keys;
  keys.reserve(extremities.size());
  for (const Extremity& e : extremities) keys.push_back(extremityKey(e));
  return keys;
}

ExtremityPairs structureExtremityPairs(const Structure& structure) {
  const std::vector<Extremity> all = structureExtremities(structure);
  const std::vector<std::string> keys = extremityKeys(all);
  std::vector<size_t> order(all.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  // The index after the last "." holds no ".", so equal keys mean equal extremities.
  order.erase(std::unique(order.begin(), order.end(),
                          [&](size_t a, size_t b) { return keys[a] == keys[b]; }),
              order.end());
  ExtremityPairs pairs;
  pairs.sorted.reserve(order.size());
  pairs.keys.reserve(order.size());
  for (size_t i : order) {
    pairs.sorted.push_back(all[i]);
    pairs.keys.push_back(keys[i]);
  }
  return pairs;
}

}  // namespace paralog
