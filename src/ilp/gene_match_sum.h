#ifndef PARALOG_ILP_GENE_MATCH_SUM_H
#define PARALOG_ILP_GENE_MATCH_SUM_H

#include <cstdint>
#include <string_view>

#include "genome/genome.h"
#include "lp/term.h"
#include "lp/variables_storage.h"

namespace paralog {

/// Appends to `out` one term `coefficient` z for every copy of gene `name`
/// in `other`, in the order of other.copies[name] (repeats kept): the z
/// variables that pair copy `index` with each partner. Every z name is
/// registered in `storage`, which keeps it for the views.
/// Appends nothing when `other` lacks the name: such a copy has no partner.
using GeneMatchSumBuilder = void (*)(std::string_view name, int32_t index, const Structure& other,
                                     VariablesStorage& storage, int32_t coefficient,
                                     TermList& out);

/// For a copy of the first structure (index i): names z_name.i.j, j from `other`.
void firstGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                       VariablesStorage& storage, int32_t coefficient, TermList& out);
/// For a copy of the second structure (index j): names z_name.i.j, i from `other`.
void secondGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                        VariablesStorage& storage, int32_t coefficient, TermList& out);

}  // namespace paralog

#endif  // PARALOG_ILP_GENE_MATCH_SUM_H
