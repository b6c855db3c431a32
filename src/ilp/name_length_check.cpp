#include "ilp/name_length_check.h"

#include <algorithm>

#include "genome/quoted.h"
#include "ilp/variable_names.h"

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

}  // namespace

void NameLengthCheck::record(size_t structure, size_t chromosome, const Gene& gene, size_t line) {
  if (longest_.size() <= structure) longest_.resize(structure + 1);
  Longest& longest = longest_[structure];
  const size_t length = extremityKeyLength(gene);
  if (length > longest.length) longest = {length, chromosome, line, gene.name, gene.index};
}

std::optional<NameLengthCheck::Fault> NameLengthCheck::check(
    const std::vector<Structure>& structures) const {
  size_t idLength = 0;
  for (const Structure& structure : structures) {
    idLength = std::max(idLength, decimalLength(structure.id));
  }
  for (size_t s = 0; s < longest_.size(); ++s) {
    const Longest& longest = longest_[s];
    if (longest.length == 0) continue;
    const size_t nameLength = pairNameLength(idLength, longest.length, longest.length);
    if (nameLength <= kMaxVariableNameLength) continue;
    return Fault{s, longest.chromosome, longest.line,
                 "gene " + quoted(longest.name) + " with copy index " +
                     std::to_string(longest.index) + " gives variable names of " +
                     std::to_string(nameLength) + " characters; LP readers accept at most " +
                     std::to_string(kMaxVariableNameLength)};
  }
  return std::nullopt;
}

}  // namespace paralog
