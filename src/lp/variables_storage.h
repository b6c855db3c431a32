#ifndef PARALOG_LP_VARIABLES_STORAGE_H
#define PARALOG_LP_VARIABLES_STORAGE_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "genome/extremity.h"
#include "lp/program_consumer.h"
#include "lp/name_set.h"
#include "lp/pair_name_block.h"

namespace paralog {

/// Builds every variable name of the program (spelled as lp/variable_names.h
/// says) and records it as binary or general, so that the declarations list
/// exactly the names in use.
///
/// Each builder composes its name, adds it to its collection (a repeated
/// name is kept once) and returns a view of the stored name, valid and
/// unchanged as long as the storage lives (another thread may read such a
/// view while this one adds names). Builders and declareAll are not safe to
/// call from two threads at once.
class VariablesStorage {
 public:
  VariablesStorage() = default;
  /// With `spelledTNames`, the t name blocks spell only those names (see
  /// PairNameBlock); the list is read when a block is made and must live
  /// as long as the storage builds names.
  explicit VariablesStorage(const std::vector<std::string_view>* spelledTNames) : spelledTNames_(spelledTNames) {}
  VariablesStorage(const VariablesStorage&) = delete;
  VariablesStorage& operator=(const VariablesStorage&) = delete;

  /// The z name of gene `name`, binary. i is the copy index in the first
  /// structure, j the one in the second.
  std::string_view zVariable(std::string_view name, int32_t i, int32_t j);
  /// The t, p and u names of two gene ends under id k: t and p are binary,
  /// u is general.
  std::string_view tVariable(int32_t k, const Extremity& a, const Extremity& b);
  std::string_view pVariable(int32_t k, const Extremity& a, const Extremity& b);
  std::string_view uVariable(int32_t k, const Extremity& a, const Extremity& b);
  /// The same from extremity keys already built (the hot loops keep them).
  std::string_view tVariable(int32_t k, std::string_view keyA, std::string_view keyB);
  std::string_view pVariable(int32_t k, std::string_view keyA, std::string_view keyB);
  std::string_view uVariable(int32_t k, std::string_view keyA, std::string_view keyB);
  /// The block that spells every t name of id k and keys[i], keys[j] (i < j)
  /// of `sortedKeys`, distinct keys in byte order; kept as long as the
  /// storage. Its `use(i, j)` is tVariable for those names, without hashing
  /// them and without per-name memory; tVariable itself also finds them.
  /// The same k and keys give the same block.
  PairNameBlock& tPairNames(int32_t k, std::vector<std::string> sortedKeys);

  /// The r name of a gene end under id k, general.
  std::string_view rVariable(int32_t k, const Extremity& e);
  std::string_view rVariable(int32_t k, std::string_view key);
  /// The l name of a gene end, general.
  std::string_view lVariable(const Extremity& e);
  std::string_view lVariable(std::string_view key);
  /// The o name of chromosome n of the structure of id k, general.
  std::string_view oVariable(int32_t k, uint64_t n);

  /// Declares every name to `sink`: the binary names in byte order, then
  /// the general names in byte order.
  void declareAll(DeclarationSink& sink) const;

 private:
  /// The keys of `a` and `b` into keyA_ and keyB_.
  void spellKeys(const Extremity& a, const Extremity& b);
  /// Calls fn for every binary name in byte order, each once: the hashed
  /// names merged with the t name blocks. `hashed` is binary_.sorted().
  template <typename Fn>
  void forEachBinary(const std::vector<std::string_view>& hashed, Fn&& fn) const;

  struct TBlock {
    int32_t k;
    std::unique_ptr<PairNameBlock> names;
  };

  const std::vector<std::string_view>* spelledTNames_ = nullptr;
  NameSet binary_;  ///< binary names outside the t blocks
  std::vector<TBlock> tBlocks_;
  NameSet general_;
  std::string scratch_;
  std::string keyA_;
  std::string keyB_;
};

}  // namespace paralog

#endif  // PARALOG_LP_VARIABLES_STORAGE_H
