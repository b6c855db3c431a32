#include <cstdint>

#include "ilp/generators.h"

namespace paralog {

// A circular chromosome of n >= 2 genes gets an o variable that may be 1
// only while none of its copies is matched: n o + (match sums) <= n.
void generateOVariables(RowSink& rows, VariablesStorage& storage, const Structure& own,
                        const Structure& other, GeneMatchSumBuilder builder) {
  TermList row;
  // The position counts every chromosome, also those that get no variable.
  for (uint64_t position = 0; position < own.chromosomes.size(); ++position) {
    const Chromosome& chromosome = own.chromosomes[position];
    if (!chromosome.circular || chromosome.genes.size() < 2) continue;
    const auto n = static_cast<int32_t>(chromosome.genes.size());
    row.clear();
    row.emplace_back(storage.oVariable(own.id, position), n);
    for (const Gene& gene : chromosome.genes) builder(gene.name, gene.index, other, storage, 1, row);
    rows.add(Section::kSubjectTo, row, Relation::kLessEqual, n);
  }
}

}  // namespace paralog
