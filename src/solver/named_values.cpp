#include "solver/named_values.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace paralog {
namespace {

uint64_t load(const char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

uint64_t mix(uint64_t hash, uint64_t word) {
  hash = (hash ^ word) * 0xff51afd7ed558ccdULL;
  return hash ^ (hash >> 32);
}

// A hash that reads names eight bytes at a time: the check hashes every term
// of every row, and most names are 10 to 30 bytes long.
uint64_t hashOf(std::string_view name) {
  const char* bytes = name.data();
  size_t left = name.size();
  uint64_t hash = 0x9e3779b97f4a7c15ULL ^ left;
  if (left >= 8) {
    for (; left > 8; left -= 8, bytes += 8) hash = mix(hash, load(bytes));
    hash = mix(hash, load(name.data() + name.size() - 8));  // the last eight, overlapping
  } else {
    uint64_t word = 0;
    for (size_t i = 0; i < left; ++i) word |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    hash = mix(hash, word);
  }
  return mix(hash, 0xc4ceb9fe1a85ec53ULL);
}

}  // namespace

bool NamedValues::set(std::string_view name, double value) {
  if (find(name) >= 0) return false;
  if (values_.size() >= std::numeric_limits<Slot>::max() - 1) {
    throw std::length_error("too many values for one assignment");
  }
  names_.append(name);
  nameStart_.push_back(names_.size());
  values_.push_back(value);
  hashes_.push_back(hashOf(name));
  const uint64_t bit = filterBit(name);
  filter_[bit >> 6] |= uint64_t{1} << (bit & 63);
  if (2 * values_.size() > slots_.size()) {
    grow();  // places every entry, the new one included
  } else {
    size_t at = home(hashes_.back());
    while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
    slots_[at] = static_cast<Slot>(values_.size());
  }
  return true;
}

int64_t NamedValues::findInTable(std::string_view name) const {
  if (slots_.empty()) return -1;
  const uint64_t hash = hashOf(name);
  for (size_t at = home(hash);; at = (at + 1) & (slots_.size() - 1)) {
    const Slot slot = slots_[at];
    if (slot == 0) return -1;
    const size_t entry = slot - 1;
    if (hashes_[entry] == hash && this->name(entry) == name) return static_cast<int64_t>(entry);
  }
}

void NamedValues::grow() {
  slots_.assign(slots_.empty() ? 64 : 2 * slots_.size(), 0);
  for (size_t entry = 0; entry < values_.size(); ++entry) {
    size_t at = home(hashes_[entry]);
    while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
    slots_[at] = static_cast<Slot>(entry + 1);
  }
}

}  // namespace paralog
