#ifndef PARALOG_LP_PAIR_NAME_BLOCK_H
#define PARALOG_LP_PAIR_NAME_BLOCK_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace paralog {

/// Every name prefix + keys[i] + keys[j] for i < j of a list of distinct
/// keys in byte order, spelled out back to back in (i, j) order, with one
/// bit per name that says whether it was used (declared). A name is found
/// by arithmetic on the two positions instead of by hashing the name, and
/// the whole block costs the bytes of its names and a bit per name. This is
/// how the quadratic family of t names of one structure is kept.
///
/// A block made with a list of names to spell keeps only those of its names
/// (a few, the variables a check finds non-zero) and gives every other
/// position one stand-in name, the prefix alone, which is no variable: a
/// check of values that are zero there sees the same sums in every row,
/// without the bytes of all the names. Only spelled names count as used.
class PairNameBlock {
 public:
  /// `keys` must be distinct and sorted in byte order. With `spelledOnly`,
  /// only those of its names are spelled (the list is read here, not kept).
  PairNameBlock(std::string prefix, std::vector<std::string> keys,
                const std::vector<std::string_view>* spelledOnly = nullptr);
  PairNameBlock(const PairNameBlock&) = delete;
  PairNameBlock& operator=(const PairNameBlock&) = delete;

  const std::string& prefix() const { return prefix_; }
  const std::vector<std::string>& keys() const { return keys_; }
  size_t keyCount() const { return keys_.size(); }
  uint64_t nameCount() const { return keys_.size() < 2 ? 0 : keys_.size() * (keys_.size() - 1) / 2; }

  /// The name of positions i and j (i != j, in either order); the view
  /// lives as long as the block.
  std::string_view name(size_t i, size_t j) const {
    if (j < i) std::swap(i, j);
    return spelledOnly_ ? spelledName(bitIndex(i, j)) : fullName(i, j);
  }
  /// The same, marking the name as used.
  std::string_view use(size_t i, size_t j) {
    if (j < i) std::swap(i, j);
    const uint64_t bit = bitIndex(i, j);
    if (spelledOnly_) {
      if (!bitSet(spelled_, bit)) return prefix_;
      used_[bit >> 6] |= uint64_t{1} << (bit & 63);
      return spelledName(bit);
    }
    used_[bit >> 6] |= uint64_t{1} << (bit & 63);
    return fullName(i, j);
  }
  bool used(size_t i, size_t j) const {
    if (j < i) std::swap(i, j);
    return bitSet(used_, bitIndex(i, j));
  }
  /// Position of `key` in keys(), or -1.
  int64_t position(std::string_view key) const;

  /// True when the names, read in (i, j) order, are in byte order, which
  /// holds whenever no key is a proper prefix of another (true of every
  /// extremity key the reader admits).
  bool namesSorted() const { return namesSorted_; }

  /// Calls fn(name) for every name in (i, j) order (every spelled name, for
  /// a block that spells only some).
  template <typename Fn>
  void forEachName(Fn&& fn) const {
    if (spelledOnly_) {
      for (const uint64_t bit : spelledOrder_) fn(std::string_view(spelledNames_.at(bit)));
      return;
    }
    for (size_t i = 0; i + 1 < keys_.size(); ++i) {
      for (size_t j = i + 1; j < keys_.size(); ++j) fn(fullName(i, j));
    }
  }

 private:
  /// Names are numbered row by row: (0, 1), (0, 2), ..., (1, 2), ...
  uint64_t bitIndex(size_t i, size_t j) const {
    const uint64_t n = keys_.size();
    return i * (2 * n - i - 1) / 2 + (j - i - 1);
  }

  static bool bitSet(const std::vector<uint64_t>& bits, uint64_t bit) { return (bits[bit >> 6] >> (bit & 63)) & 1; }
  std::string_view fullName(size_t i, size_t j) const;
  std::string_view spelledName(uint64_t bit) const {
    if (!bitSet(spelled_, bit)) return prefix_;
    return spelledNames_.at(bit);
  }
  void spell(const std::vector<std::string_view>& names);

  std::string prefix_;
  std::vector<std::string> keys_;
  std::vector<uint64_t> keyLengthBefore_;  ///< summed length of keys[0..m)
  std::vector<uint64_t> rowStart_;         ///< offset of name(i, i + 1)
  std::unique_ptr<char[]> names_;
  std::unordered_map<std::string_view, uint32_t> positions_;
  std::vector<uint64_t> used_;
  bool namesSorted_ = true;
  bool spelledOnly_ = false;
  std::vector<uint64_t> spelled_;  ///< a bit per name: spelled (when spelledOnly_)
  std::unordered_map<uint64_t, std::string> spelledNames_;
  std::vector<uint64_t> spelledOrder_;  ///< spelled names' bits in (i, j) order
};

}  // namespace paralog

#endif  // PARALOG_LP_PAIR_NAME_BLOCK_H
