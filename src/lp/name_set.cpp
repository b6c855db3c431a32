#include "lp/name_set.h"

#include <algorithm>
#include <cstring>

namespace paralog {
namespace {

constexpr size_t kInitialSlots = 1024;  // a power of two
constexpr size_t kBlockBytes = 1 << 20;

// FNV-1a: short keys, good spread, no allocation.
uint32_t hashName(std::string_view name) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : name) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return static_cast<uint32_t>(h ^ (h >> 32));
}

}  // namespace

NameSet::NameSet() : slots_(kInitialSlots) {}

size_t NameSet::findSlot(std::string_view name, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  while (true) {
    const Slot& slot = slots_[i];
    if (slot.data == nullptr) return i;
    if (slot.hash == hash && slot.size == name.size() &&
        std::memcmp(slot.data, name.data(), name.size()) == 0) {
      return i;
    }
    i = (i + 1) & mask;
  }
}

std::string_view NameSet::insert(std::string_view name) {
  const uint32_t hash = hashName(name);
  size_t i = findSlot(name, hash);
  if (slots_[i].data != nullptr) return std::string_view(slots_[i].data, slots_[i].size);
  if ((size_ + 1) * 2 > slots_.size()) {
    grow();
    i = findSlot(name, hash);
  }
  const std::string_view stored = store(name);
  slots_[i] = Slot{stored.data(), static_cast<uint32_t>(stored.size()), hash};
  ++size_;
  return stored;
}

bool NameSet::contains(std::string_view name) const {
  return slots_[findSlot(name, hashName(name))].data != nullptr;
}

std::string_view NameSet::store(std::string_view name) {
  // An empty name still takes a byte: its slot needs a non-null address.
  const size_t need = std::max<size_t>(name.size(), 1);
  if (blocks_.empty() || blockSize_ - blockUsed_ < need) {
    blockSize_ = std::max(kBlockBytes, need);
    blocks_.push_back(std::unique_ptr<char[]>(new char[blockSize_]));
    blockUsed_ = 0;
  }
  char* destination = blocks_.back().get() + blockUsed_;
  if (!name.empty()) std::memcpy(destination, name.data(), name.size());
  blockUsed_ += need;
  return std::string_view(destination, name.size());
}

void NameSet::grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.data == nullptr) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].data != nullptr) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

std::vector<std::string_view> NameSet::sorted() const {
  std::vector<std::string_view> names;
  names.reserve(size_);
  for (const Slot& slot : slots_) {
    if (slot.data != nullptr) names.emplace_back(slot.data, slot.size);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace paralog
