#ifndef PARALOG_ILP_GENE_MATCH_SUM_H
#define PARALOG_ILP_GENE_MATCH_SUM_H

#include <cstdint>
#include <string>
#include <string_view>

#include "genome/genome.h"
#include "lp/variables_storage.h"

namespace paralog {

/// Appends to `out` the sum of the z variables that pair copy `index` of
/// gene `name` with every copy of that gene in `other`, in the order of
/// other.copies[name] (repeats kept). Terms are joined by " + " (plus) or
/// " - " (not plus); a non-empty `coefficient` and a blank stand before
/// every term, the first included. No leading sign, no trailing separator.
/// Every z name is registered in `storage`.
/// Throws std::out_of_range naming the gene when `other` lacks the name.
using GeneMatchSumBuilder = void (*)(std::string_view name, int32_t index, const Structure& other,
                                     VariablesStorage& storage, bool plus,
                                     std::string_view coefficient, std::string& out);

/// For a copy of the first structure (index i): names z_name.i.j, j from `other`.
void firstGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                       VariablesStorage& storage, bool plus, std::string_view coefficient,
                       std::string& out);
/// For a copy of the second structure (index j): names z_name.i.j, i from `other`.
void secondGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                        VariablesStorage& storage, bool plus, std::string_view coefficient,
                        std::string& out);

/// Convenience forms returning the text, for callers off the hot path.
std::string firstGeneMatchSum(const Gene& gene, const Structure& other, VariablesStorage& storage,
                              bool plus, std::string_view coefficient);
std::string secondGeneMatchSum(const Gene& gene, const Structure& other,
                               VariablesStorage& storage, bool plus,
                               std::string_view coefficient);

}  // namespace paralog

#endif  // PARALOG_ILP_GENE_MATCH_SUM_H
