#ifndef PARALOG_ILP_T_NAMES_H
#define PARALOG_ILP_T_NAMES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "genome/genome.h"
#include "lp/pair_name_block.h"
#include "lp/variables_storage.h"

namespace paralog {

/// The t names of the ends of one structure under one id, found by the
/// ends' positions among the structure's distinct keys instead of by
/// hashing names: the quadratic loops of the T, U and R lines look a name
/// up in constant time. Every generator asking for the same structure and
/// id shares one block of names in the storage.
class TNames {
 public:
  /// `k` is the id written into the names (the other structure's id).
  TNames(const Structure& own, int32_t k, VariablesStorage& storage);

  /// Position of an end of the structure by its key; throws
  /// std::logic_error for a key that is not one of the structure's ends.
  size_t position(std::string_view key) const;
  /// The sorted distinct keys of the structure's ends.
  const std::vector<std::string>& keys() const { return block_->keys(); }

  /// The t name of the ends at positions a and b; an end paired with
  /// itself (a == b) is named through the storage.
  std::string_view name(size_t a, size_t b) const {
    return a != b ? block_->use(a, b) : storage_.tVariable(k_, keys()[a], keys()[a]);
  }

 private:
  int32_t k_;
  VariablesStorage& storage_;
  PairNameBlock* block_;
};

}  // namespace paralog

#endif  // PARALOG_ILP_T_NAMES_H
