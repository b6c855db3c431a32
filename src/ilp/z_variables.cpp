#include "ilp/generators.h"

#include <algorithm>

namespace paralog {
namespace {

// For every copy of `own` whose gene also occurs in `other`, in the key
// order of own.copies and then list order (a repeated copy repeats its
// row): the sum of the copy's z variables is at most 1.
void boundMatchesOfEachCopy(RowSink& rows, const Structure& own, const Structure& other,
                            GeneMatchSumBuilder matchSum, VariablesStorage& storage,
                            TermList& row) {
  for (const auto& [name, indices] : own.copies) {
    if (other.copies.find(name) == other.copies.end()) continue;
    for (int32_t index : indices) {
      row.clear();
      matchSum(name, index, other, storage, 1, row);
      rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 1);
    }
  }
}

}  // namespace

void generateZVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  TermList row;
  boundMatchesOfEachCopy(rows, first, second, firstGeneMatchSum, storage, row);
  boundMatchesOfEachCopy(rows, second, first, secondGeneMatchSum, storage, row);
}

void generateMatchAllRows(RowSink& rows, const Structure& first, const Structure& second,
                          VariablesStorage& storage) {
  TermList row;
  for (const auto& [name, indices] : first.copies) {
    const auto partners = second.copies.find(name);
    if (partners == second.copies.end()) continue;
    row.clear();
    for (int32_t index : indices) firstGeneMatchSum(name, index, second, storage, 1, row);
    const auto count = static_cast<int32_t>(std::min(indices.size(), partners->second.size()));
    rows.add(Section::kSubjectTo, row, Relation::kEqual, count);
  }
}

}  // namespace paralog
