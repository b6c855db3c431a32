#include "lp/pair_name_block.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace paralog {

PairNameBlock::PairNameBlock(std::string prefix, std::vector<std::string> keys,
                             const std::vector<std::string_view>* spelledOnly)
    : prefix_(std::move(prefix)), keys_(std::move(keys)), spelledOnly_(spelledOnly != nullptr) {
  const size_t n = keys_.size();
  const uint64_t p = prefix_.size();
  keyLengthBefore_.assign(n + 1, 0);
  for (size_t m = 0; m < n; ++m) keyLengthBefore_[m + 1] = keyLengthBefore_[m] + keys_[m].size();
  // Row i holds name(i, j) for j = i + 1 .. n - 1: each is the prefix, key i
  // and key j, so the row's size follows from the summed key lengths.
  rowStart_.assign(n + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    const uint64_t others = n - i - 1;
    rowStart_[i + 1] = rowStart_[i] + others * (p + keys_[i].size()) +
                       (keyLengthBefore_[n] - keyLengthBefore_[i + 1]);
  }
  if (!spelledOnly_) {
    names_.reset(new char[std::max<uint64_t>(rowStart_[n], 1)]);
    char* out = names_.get();
    for (size_t i = 0; i < n; ++i) {
      for (size_t j = i + 1; j < n; ++j) {
        std::memcpy(out, prefix_.data(), p);
        out += p;
        std::memcpy(out, keys_[i].data(), keys_[i].size());
        out += keys_[i].size();
        std::memcpy(out, keys_[j].data(), keys_[j].size());
        out += keys_[j].size();
      }
    }
  }
  used_.assign((nameCount() + 63) / 64, 0);
  positions_.reserve(n);
  for (size_t m = 0; m < n; ++m) {
    if (m > 0 && !(keys_[m - 1] < keys_[m])) {
      throw std::logic_error("pair name keys must be distinct and sorted");
    }
    positions_.emplace(keys_[m], static_cast<uint32_t>(m));
  }
  if (spelledOnly_) spell(*spelledOnly);
  std::string_view previous;
  forEachName([&](std::string_view current) {
    if (namesSorted_ && !previous.empty() && !(previous < current)) namesSorted_ = false;
    previous = current;
  });
}

// Finds the names of this block among `names` (prefix, then two keys; no
// key is a proper prefix of another, so at most one split fits).
void PairNameBlock::spell(const std::vector<std::string_view>& names) {
  spelled_.assign(used_.size(), 0);
  for (const std::string_view name : names) {
    if (name.size() <= prefix_.size() || name.substr(0, prefix_.size()) != prefix_) continue;
    const std::string_view keys = name.substr(prefix_.size());
    for (size_t split = 1; split < keys.size(); ++split) {
      const int64_t a = position(keys.substr(0, split));
      const int64_t b = a < 0 ? -1 : position(keys.substr(split));
      if (b <= a) continue;  // not both keys, or not in (i, j) order
      const uint64_t bit = bitIndex(static_cast<size_t>(a), static_cast<size_t>(b));
      spelled_[bit >> 6] |= uint64_t{1} << (bit & 63);
      spelledNames_.emplace(bit, std::string(name));
      spelledOrder_.push_back(bit);
      break;
    }
  }
  std::sort(spelledOrder_.begin(), spelledOrder_.end());
  spelledOrder_.erase(std::unique(spelledOrder_.begin(), spelledOrder_.end()), spelledOrder_.end());
}

std::string_view PairNameBlock::fullName(size_t i, size_t j) const {
  const uint64_t offset = rowStart_[i] + (j - i - 1) * (prefix_.size() + keys_[i].size()) +
                          (keyLengthBefore_[j] - keyLengthBefore_[i + 1]);
  return std::string_view(names_.get() + offset,
                          prefix_.size() + keys_[i].size() + keys_[j].size());
}

int64_t PairNameBlock::position(std::string_view key) const {
  const auto it = positions_.find(key);
  return it == positions_.end() ? -1 : static_cast<int64_t>(it->second);
}

}  // namespace paralog
