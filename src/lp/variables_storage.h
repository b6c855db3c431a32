#ifndef PARALOG_LP_VARIABLES_STORAGE_H
#define PARALOG_LP_VARIABLES_STORAGE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_sink.h"
#include "lp/extremity.h"
#include "lp/ilp_task.h"
#include "lp/name_set.h"
#include "lp/pair_name_block.h"

namespace paralog {

/// Builds every variable name of the program, records it as binary or
/// general, and keeps the objective weights of the o variables.
///
/// Each builder composes its name, adds it to its collection (a repeated
/// name is kept once) and returns a view of the stored name, valid as long
/// as the storage lives. Builders are not safe to call from two threads.
class VariablesStorage {
 public:
  VariablesStorage() = default;
  VariablesStorage(const VariablesStorage&) = delete;
  VariablesStorage& operator=(const VariablesStorage&) = delete;

  /// "z_" name "." i "." j, binary. i is the copy index in the first
  /// structure, j the one in the second.
  std::string_view zVariable(std::string_view name, int32_t i, int32_t j);
  /// prefix k "_" lo hi, where lo and hi are the two extremity keys in byte
  /// order: t and p are binary, u is general.
  std::string_view tVariable(int32_t k, const Extremity& a, const Extremity& b);
  std::string_view pVariable(int32_t k, const Extremity& a, const Extremity& b);
  std::string_view uVariable(int32_t k, const Extremity& a, const Extremity& b);
  /// The same from extremity keys already built (the hot loops keep them).
  std::string_view tVariable(int32_t k, std::string_view keyA, std::string_view keyB);
  std::string_view pVariable(int32_t k, std::string_view keyA, std::string_view keyB);
  std::string_view uVariable(int32_t k, std::string_view keyA, std::string_view keyB);
  /// The block that spells every t name "t_" k "_" keys[i] keys[j] (i < j)
  /// of `sortedKeys`, distinct keys in byte order; kept as long as the
  /// storage. Its `use(i, j)` is tVariable for those names, without hashing
  /// them and without per-name memory; tVariable itself also finds them.
  /// The same k and keys give the same block.
  PairNameBlock& tPairNames(int32_t k, std::vector<std::string> sortedKeys);

  /// "r_" k "_" key, general.
  std::string_view rVariable(int32_t k, const Extremity& e);
  std::string_view rVariable(int32_t k, std::string_view key);
  /// "l_" key, general.
  std::string_view lVariable(const Extremity& e);
  std::string_view lVariable(std::string_view key);
  /// "o_" k "_" n, general; its objective weight becomes `weight`,
  /// replacing an earlier weight of the same name.
  std::string_view oVariable(int32_t k, uint64_t n, uint64_t weight);

  /// Declarations in byte order.
  std::vector<std::string_view> binaryVariables() const;
  std::vector<std::string_view> generalVariables() const { return general_.sorted(); }
  const std::map<std::string, uint64_t, std::less<>>& objectiveWeights() const {
    return objectiveWeights_;
  }

  /// The objective: " - 2 " before each z and p name, " + " before each l
  /// name, " - " before each r name (in declaration order), then
  /// " + " o " - " weight " " o per weighted o name, without the first
  /// character. Empty when nothing contributes.
  std::string objectiveText() const;

  /// Writes the whole LP file: "Minimize", the objective, the task's
  /// sections, the "Binary" and "General" declarations and "End" with no
  /// line end after it.
  void writeLp(ByteSink& out, const IlpTask& task) const;
  /// The same in two parts, for an objective known before the lines: the
  /// head ("Minimize", the given objective, an empty line), then the rest.
  static void writeLpHead(ByteSink& out, std::string_view objective);
  void writeLpAfterObjective(ByteSink& out, const IlpTask& task) const;

 private:
  std::string_view pairName(NameSet& set, std::string_view prefix, int32_t k,
                            std::string_view keyA, std::string_view keyB);
  void writeObjective(ByteSink& out, const std::vector<std::string_view>& binary,
                      const std::vector<std::string_view>& general) const;
  /// Calls fn for every binary name in byte order, each once: the hashed
  /// names merged with the t name blocks. `hashed` is binary_.sorted().
  template <typename Fn>
  void forEachBinary(const std::vector<std::string_view>& hashed, Fn&& fn) const;

  struct TBlock {
    int32_t k;
    std::unique_ptr<PairNameBlock> names;
  };

  NameSet binary_;  ///< binary names outside the t blocks
  std::vector<TBlock> tBlocks_;
  NameSet general_;
  std::map<std::string, uint64_t, std::less<>> objectiveWeights_;
  std::string scratch_;
  std::string keyA_;
  std::string keyB_;
};

}  // namespace paralog

#endif  // PARALOG_LP_VARIABLES_STORAGE_H
