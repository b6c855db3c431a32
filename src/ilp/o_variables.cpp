#include <cstdint>
#include <string>
#include <string_view>

#include "common/decimal.h"
#include "ilp/generators.h"

namespace paralog {

// A circular chromosome of n >= 2 genes gets an o variable of weight n that
// may be 1 only while none of its copies is matched: n o + (match sums) <= n.
void generateOVariables(IlpTask& task, VariablesStorage& storage, const Structure& own,
                        const Structure& other, GeneMatchSumBuilder builder) {
  std::string sum;
  std::string line;
  // The position counts every chromosome, also those that get no variable.
  for (uint64_t position = 0; position < own.chromosomes.size(); ++position) {
    const Chromosome& chromosome = own.chromosomes[position];
    if (!chromosome.circular || chromosome.genes.size() < 2) continue;
    const uint64_t n = chromosome.genes.size();
    sum.clear();
    for (size_t g = 0; g < chromosome.genes.size(); ++g) {
      const Gene& gene = chromosome.genes[g];
      if (g != 0) sum.append(" + ");
      builder(gene.name, gene.index, other, storage, true, "1", sum);
    }
    const std::string_view o = storage.oVariable(own.id, position, n);
    line.clear();
    appendUnsignedDecimal(line, n);
    line.append(" ").append(o).append(" + ").append(sum).append(" <= ");
    appendUnsignedDecimal(line, n);
    task.addConstraint("Subject To", line);
  }
}

}  // namespace paralog
