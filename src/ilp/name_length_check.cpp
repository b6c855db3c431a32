#include "ilp/name_length_check.h"

#include <algorithm>

#include "genome/quoted.h"
#include "lp/variable_names.h"

namespace paralog {
namespace {

size_t decimalLength(int64_t value) {
  size_t length = value < 0 ? 2 : 1;
  for (value /= 10; value != 0; value /= 10) ++length;
  return length;
}

// Length of a gene copy's extremity key: name "." index end.
size_t extremityKeyLength(const Gene& gene) {
  return gene.name.size() + 1 + decimalLength(gene.index) + 1;
}

// The first copy of a structure with the longest key.
struct Longest {
  size_t length = 0;
  size_t chromosome = 0;
  size_t gene = 0;
};

Longest longestCopy(const Structure& structure) {
  Longest longest;
  for (size_t c = 0; c < structure.chromosomes.size(); ++c) {
    const std::vector<Gene>& genes = structure.chromosomes[c].genes;
    for (size_t g = 0; g < genes.size(); ++g) {
      const size_t length = extremityKeyLength(genes[g]);
      if (length > longest.length) longest = {length, c, g};
    }
  }
  return longest;
}

}  // namespace

std::optional<NameLengthFault> findTooLongNames(const StructuresRead& read) {
  size_t idLength = 0;
  for (const Structure& structure : read.structures) {
    idLength = std::max(idLength, decimalLength(structure.id));
  }
  for (size_t s = 0; s < read.structures.size(); ++s) {
    const Longest longest = longestCopy(read.structures[s]);
    if (longest.length == 0) continue;
    const size_t nameLength = pairNameLength(idLength, longest.length, longest.length);
    if (nameLength <= kMaxVariableNameLength) continue;
    const Gene& gene = read.structures[s].chromosomes[longest.chromosome].genes[longest.gene];
    return NameLengthFault{s, longest.chromosome, read.lines[s][longest.chromosome][longest.gene],
                           "gene " + quoted(gene.name) + " with copy index " +
                               std::to_string(gene.index) + " gives variable names of " +
                               std::to_string(nameLength) +
                               " characters; LP readers accept at most " +
                               std::to_string(kMaxVariableNameLength)};
  }
  return std::nullopt;
}

}  // namespace paralog
