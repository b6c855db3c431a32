#include "lp/pair_name_block.h"

#include <cstring>
#include <stdexcept>

namespace paralog {

PairNameBlock::PairNameBlock(std::string prefix, std::vector<std::string> keys)
    : prefix_(std::move(prefix)), keys_(std::move(keys)) {
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
  used_.assign((nameCount() + 63) / 64, 0);
  positions_.reserve(n);
  for (size_t m = 0; m < n; ++m) {
    if (m > 0 && !(keys_[m - 1] < keys_[m])) {
      throw std::logic_error("pair name keys must be distinct and sorted");
    }
    positions_.emplace(keys_[m], static_cast<uint32_t>(m));
  }
  std::string_view previous;
  forEachName([&](std::string_view current) {
    if (namesSorted_ && !previous.empty() && !(previous < current)) namesSorted_ = false;
    previous = current;
  });
}

std::string_view PairNameBlock::name(size_t i, size_t j) const {
  if (j < i) std::swap(i, j);
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
