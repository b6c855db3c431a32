#ifndef PARALOG_ILP_T_SIDE_H
#define PARALOG_ILP_T_SIDE_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "genome/extremity.h"
#include "genome/genome.h"
#include "ilp/extremities.h"
#include "ilp/gene_match_sum.h"
#include "lp/row.h"
#include "lp/term.h"
#include "lp/variables_storage.h"

namespace paralog {

/// Everything the t constraints of one structure share, built once so that
/// every row is a few copies of typed terms: the structure's extremity list and keys,
/// its distinct extremities sorted by key (whose i < j pairs are the pair
/// set), the ends of every chromosome gene as positions in that sorted
/// list, the match sum of every copy, the minus sums of the circular
/// chromosomes, and the t names of all pairs of ends. Sums are kept in
/// canonical order (see makeCanonical), so a row made of t names followed by
/// sums (t sorts before z) needs no sorting.
///
/// Extremities are referred to by their position in `pairs().sorted`
/// ("distinct position"). Building registers in the storage every z name
/// of the structure's copies and, as one block, every t name of two
/// different extremities.
/// Throws what the match-sum builder throws for a gene that `other` lacks,
/// and std::logic_error for a chromosome gene missing from own.copies.
/// `own`, `other` and `storage` must outlive the object.
class TSide {
 public:
  /// `k` is the id written into the t names (the other structure's id);
  /// `matchSum` is the builder for copies of `own` with `other` as partner.
  TSide(const Structure& own, const Structure& other, int32_t k, GeneMatchSumBuilder matchSum,
        VariablesStorage& storage);

  const Structure& own() const { return own_; }
  const Structure& other() const { return other_; }
  int32_t k() const { return k_; }
  GeneMatchSumBuilder matchSum() const { return matchSum_; }
  VariablesStorage& storage() const { return storage_; }

  /// structureExtremities(own) and its keys, position by position.
  const std::vector<Extremity>& extremities() const { return extremities_; }
  const std::vector<std::string>& keys() const { return keys_; }
  /// structureExtremityPairs(own).
  const ExtremityPairs& pairs() const { return pairs_; }
  /// The distinct position of extremities()[position].
  size_t distinctOf(size_t position) const { return distinctOf_[position]; }

  /// Distinct positions of the 't' and the 'h' end of gene `gene` of
  /// chromosome `chromosome` of own, in the order of kEndLabels.
  const std::array<size_t, 2>& geneEnds(size_t chromosome, size_t gene) const {
    return geneEnds_[chromosome][gene];
  }

  /// The z variables of the copy of extremity `distinct`, coefficient 1,
  /// canonical.
  const TermList& plusSum(size_t distinct) const { return plusSums_[plusOf_[distinct]]; }

  /// For a circular chromosome of own: minus the z variables of every copy
  /// on it, canonical. Empty for a linear chromosome.
  const TermList& minusSums(size_t chromosome) const { return minusSums_[chromosome]; }

  /// kCanonical when the t sums come out canonical (the t names of the
  /// structure are in byte order, true of every valid input), else kAny:
  /// the order of a row made of a t sum and a canonical z sum.
  TermOrder tSumOrder() const {
    return tNames_->namesSorted() ? TermOrder::kCanonical : TermOrder::kAny;
  }

  /// The t name of two different distinct positions.
  std::string_view tName(size_t a, size_t b) const { return tNames_->use(a, b); }

  /// Appends the t sum of extremity `distinct`: its t names with every
  /// other distinct extremity, each with the number of entries of that
  /// extremity in extremities() as coefficient. They come in name order
  /// whenever the t names do (PairNameBlock::namesSorted). With `scale`,
  /// every coefficient is multiplied by it.
  void appendTSum(size_t distinct, TermList& out, int32_t scale = 1) const;

 private:
  size_t distinctPosition(std::string_view key) const;
  void locateExtremities();
  void buildPlusSums();
  void buildMinusSums();

  const Structure& own_;
  const Structure& other_;
  int32_t k_;
  GeneMatchSumBuilder matchSum_;
  VariablesStorage& storage_;

  std::vector<Extremity> extremities_;
  std::vector<std::string> keys_;
  ExtremityPairs pairs_;
  std::vector<size_t> distinctOf_;
  std::vector<size_t> multiplicity_;  ///< per distinct position: entries in extremities_
  std::vector<std::vector<std::array<size_t, 2>>> geneEnds_;

  std::vector<TermList> plusSums_;  ///< one per copy, shared by its two ends
  std::vector<size_t> plusOf_;      ///< per distinct position: index into plusSums_
  std::vector<TermList> minusSums_;
  PairNameBlock* tNames_;  ///< every t name of two different ends, kept by the storage
};

}  // namespace paralog

#endif  // PARALOG_ILP_T_SIDE_H
