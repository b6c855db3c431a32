#include "lp/variables_storage.h"

#include <algorithm>

#include "lp/variable_names.h"

namespace paralog {
namespace {

// Walks the used names of a block whose names come out in byte order.
struct BlockCursor {
  const PairNameBlock* block;
  size_t i = 0;
  size_t j = 0;
  bool done() const { return i + 1 >= block->keyCount(); }
  std::string_view current() const { return block->name(i, j); }
  // Moves to the next used name.
  void advance() {
    while (!done()) {
      if (++j == block->keyCount()) {
        ++i;
        j = i + 1;
        if (done()) return;
      }
      if (block->used(i, j)) return;
    }
  }
};

// Appends every used name of `names` to `out`, row by row.
void appendUsedNames(const PairNameBlock& names, std::vector<std::string_view>& out) {
  for (size_t i = 0; i + 1 < names.keyCount(); ++i) {
    for (size_t j = i + 1; j < names.keyCount(); ++j) {
      if (names.used(i, j)) out.push_back(names.name(i, j));
    }
  }
}

}  // namespace

std::string_view VariablesStorage::zVariable(std::string_view name, int32_t i, int32_t j) {
  scratch_.clear();
  appendZName(scratch_, name, i, j);
  return binary_.insert(scratch_);
}

std::string_view VariablesStorage::tVariable(int32_t k, std::string_view keyA,
                                             std::string_view keyB) {
  for (const TBlock& block : tBlocks_) {
    if (block.k != k) continue;
    const int64_t a = block.names->position(keyA);
    if (a < 0) continue;
    const int64_t b = block.names->position(keyB);
    if (b < 0 || a == b) continue;
    return block.names->use(static_cast<size_t>(a), static_cast<size_t>(b));
  }
  scratch_.clear();
  appendTName(scratch_, k, keyA, keyB);
  return binary_.insert(scratch_);
}

PairNameBlock& VariablesStorage::tPairNames(int32_t k, std::vector<std::string> sortedKeys) {
  for (const TBlock& block : tBlocks_) {
    if (block.k == k && block.names->keys() == sortedKeys) return *block.names;
  }
  std::string prefix;
  appendTNamePrefix(prefix, k);
  tBlocks_.push_back(
      TBlock{k, std::make_unique<PairNameBlock>(std::move(prefix), std::move(sortedKeys), spelledTNames_)});
  return *tBlocks_.back().names;
}

template <typename Fn>
void VariablesStorage::forEachBinary(const std::vector<std::string_view>& hashed, Fn&& fn) const {
  // A k-way merge of already sorted streams: the hashed names and each
  // sorted block, walked row by row. A name in several streams (two
  // structures with the same id share t names) is given once.
  std::vector<BlockCursor> cursors;
  // Blocks whose names do not come out in byte order (keys that are
  // prefixes of others) have their used names sorted here instead.
  std::vector<std::string_view> unsortedBlockNames;
  for (const TBlock& block : tBlocks_) {
    if (block.names->namesSorted()) {
      cursors.push_back(BlockCursor{block.names.get()});
      cursors.back().advance();
    } else {
      appendUsedNames(*block.names, unsortedBlockNames);
    }
  }
  std::sort(unsortedBlockNames.begin(), unsortedBlockNames.end());
  size_t nextUnsorted = 0;
  size_t next = 0;
  bool any = false;
  std::string_view last;
  while (true) {
    std::string_view smallest;
    // -2: nothing left; -1: the hashed names; -3: names of unsorted blocks;
    // else a block cursor.
    int chosen = -2;
    if (next < hashed.size()) {
      smallest = hashed[next];
      chosen = -1;
    }
    if (nextUnsorted < unsortedBlockNames.size() &&
        (chosen == -2 || unsortedBlockNames[nextUnsorted] < smallest)) {
      smallest = unsortedBlockNames[nextUnsorted];
      chosen = -3;
    }
    for (size_t c = 0; c < cursors.size(); ++c) {
      if (cursors[c].done()) continue;
      const std::string_view candidate = cursors[c].current();
      if (chosen == -2 || candidate < smallest) {
        smallest = candidate;
        chosen = static_cast<int>(c);
      }
    }
    if (chosen == -2) return;
    if (chosen == -1) {
      ++next;
    } else if (chosen == -3) {
      ++nextUnsorted;
    } else {
      cursors[static_cast<size_t>(chosen)].advance();
    }
    if (any && smallest == last) continue;
    fn(smallest);
    last = smallest;
    any = true;
  }
}

std::string_view VariablesStorage::pVariable(int32_t k, std::string_view keyA,
                                             std::string_view keyB) {
  scratch_.clear();
  appendPName(scratch_, k, keyA, keyB);
  return binary_.insert(scratch_);
}

std::string_view VariablesStorage::uVariable(int32_t k, std::string_view keyA,
                                             std::string_view keyB) {
  scratch_.clear();
  appendUName(scratch_, k, keyA, keyB);
  return general_.insert(scratch_);
}

void VariablesStorage::spellKeys(const Extremity& a, const Extremity& b) {
  keyA_.clear();
  keyB_.clear();
  appendExtremityKey(a, keyA_);
  appendExtremityKey(b, keyB_);
}

std::string_view VariablesStorage::tVariable(int32_t k, const Extremity& a, const Extremity& b) {
  spellKeys(a, b);
  return tVariable(k, keyA_, keyB_);
}

std::string_view VariablesStorage::pVariable(int32_t k, const Extremity& a, const Extremity& b) {
  spellKeys(a, b);
  return pVariable(k, keyA_, keyB_);
}

std::string_view VariablesStorage::uVariable(int32_t k, const Extremity& a, const Extremity& b) {
  spellKeys(a, b);
  return uVariable(k, keyA_, keyB_);
}

std::string_view VariablesStorage::rVariable(int32_t k, std::string_view key) {
  scratch_.clear();
  appendRName(scratch_, k, key);
  return general_.insert(scratch_);
}

std::string_view VariablesStorage::rVariable(int32_t k, const Extremity& e) {
  keyA_.clear();
  appendExtremityKey(e, keyA_);
  return rVariable(k, keyA_);
}

std::string_view VariablesStorage::lVariable(std::string_view key) {
  scratch_.clear();
  appendLName(scratch_, key);
  return general_.insert(scratch_);
}

std::string_view VariablesStorage::lVariable(const Extremity& e) {
  keyA_.clear();
  appendExtremityKey(e, keyA_);
  return lVariable(keyA_);
}

std::string_view VariablesStorage::oVariable(int32_t k, uint64_t n) {
  scratch_.clear();
  appendOName(scratch_, k, n);
  return general_.insert(scratch_);
}

void VariablesStorage::declareAll(DeclarationSink& sink) const {
  // The t blocks are merged in here; the hashed names are few.
  forEachBinary(binary_.sorted(),
                [&](std::string_view name) { sink.declare(VariableKind::kBinary, name); });
  for (std::string_view name : general_.sorted()) sink.declare(VariableKind::kGeneral, name);
}

}  // namespace paralog
