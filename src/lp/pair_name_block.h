#ifndef PARALOG_LP_PAIR_NAME_BLOCK_H
#define PARALOG_LP_PAIR_NAME_BLOCK_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace paralog {

/// Every name prefix + keys[i] + keys[j] for i < j of a list of distinct
/// keys in byte order, spelled out back to back in (i, j) order, with one
/// bit per name that says whether it was used (declared). A name is found
/// by arithmetic on the two positions instead of by hashing the name, and
/// the whole block costs the bytes of its names and a bit per name. This is
/// how the quadratic family of t names of one structure is kept.
class PairNameBlock {
 public:
  /// `keys` must be distinct and sorted in byte order.
  PairNameBlock(std::string prefix, std::vector<std::string> keys);
  PairNameBlock(const PairNameBlock&) = delete;
  PairNameBlock& operator=(const PairNameBlock&) = delete;

  const std::string& prefix() const { return prefix_; }
  const std::vector<std::string>& keys() const { return keys_; }
  size_t keyCount() const { return keys_.size(); }
  uint64_t nameCount() const { return keys_.size() < 2 ? 0 : keys_.size() * (keys_.size() - 1) / 2; }

  /// The name of positions i and j (i != j, in either order); the view
  /// lives as long as the block.
  std::string_view name(size_t i, size_t j) const;
  /// The same, marking the name as used.
  std::string_view use(size_t i, size_t j) {
    if (j < i) std::swap(i, j);
    const uint64_t bit = bitIndex(i, j);
    used_[bit >> 6] |= uint64_t{1} << (bit & 63);
    return name(i, j);
  }
  bool used(size_t i, size_t j) const {
    if (j < i) std::swap(i, j);
    const uint64_t bit = bitIndex(i, j);
    return (used_[bit >> 6] >> (bit & 63)) & 1;
  }
  /// Position of `key` in keys(), or -1.
  int64_t position(std::string_view key) const;

  /// True when the names, read in (i, j) order, are in byte order, which
  /// holds whenever no key is a proper prefix of another (true of every
  /// extremity key the reader admits).
  bool namesSorted() const { return namesSorted_; }

  /// Calls fn(name) for every name in (i, j) order.
  template <typename Fn>
  void forEachName(Fn&& fn) const {
    for (size_t i = 0; i + 1 < keys_.size(); ++i) {
      for (size_t j = i + 1; j < keys_.size(); ++j) fn(name(i, j));
    }
  }

 private:
  /// Names are numbered row by row: (0, 1), (0, 2), ..., (1, 2), ...
  uint64_t bitIndex(size_t i, size_t j) const {
    const uint64_t n = keys_.size();
    return i * (2 * n - i - 1) / 2 + (j - i - 1);
  }

  std::string prefix_;
  std::vector<std::string> keys_;
  std::vector<uint64_t> keyLengthBefore_;  ///< summed length of keys[0..m)
  std::vector<uint64_t> rowStart_;         ///< offset of name(i, i + 1)
  std::unique_ptr<char[]> names_;
  std::unordered_map<std::string_view, uint32_t> positions_;
  std::vector<uint64_t> used_;
  bool namesSorted_ = true;
};

}  // namespace paralog

#endif  // PARALOG_LP_PAIR_NAME_BLOCK_H
