#include "ilp/gene_match_sum.h"

#include <stdexcept>

namespace paralog {
namespace {

const std::vector<int32_t>& partnersOf(std::string_view name, const Structure& other) {
  const auto it = other.copies.find(name);
  if (it == other.copies.end()) {
    throw std::out_of_range("gene " + std::string(name) + " has no copy in structure " +
                            other.name);
  }
  return it->second;
}

template <bool kIndexIsFirst>
void appendMatchSum(std::string_view name, int32_t index, const Structure& other,
                    VariablesStorage& storage, bool plus, std::string_view coefficient,
                    std::string& out) {
  const std::vector<int32_t>& partners = partnersOf(name, other);
  const std::string_view sign = plus ? " + " : " - ";
  for (size_t p = 0; p < partners.size(); ++p) {
    if (p != 0) out.append(sign);
    if (!coefficient.empty()) {
      out.append(coefficient);
      out += ' ';
    }
    out.append(kIndexIsFirst ? storage.zVariable(name, index, partners[p])
                             : storage.zVariable(name, partners[p], index));
  }
}

}  // namespace

void firstGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                       VariablesStorage& storage, bool plus, std::string_view coefficient,
                       std::string& out) {
  appendMatchSum<true>(name, index, other, storage, plus, coefficient, out);
}

void secondGeneMatchSum(std::string_view name, int32_t index, const Structure& other,
                        VariablesStorage& storage, bool plus, std::string_view coefficient,
                        std::string& out) {
  appendMatchSum<false>(name, index, other, storage, plus, coefficient, out);
}

std::string firstGeneMatchSum(const Gene& gene, const Structure& other, VariablesStorage& storage,
                              bool plus, std::string_view coefficient) {
  std::string out;
  firstGeneMatchSum(gene.name, gene.index, other, storage, plus, coefficient, out);
  return out;
}

std::string secondGeneMatchSum(const Gene& gene, const Structure& other,
                               VariablesStorage& storage, bool plus,
                               std::string_view coefficient) {
  std::string out;
  secondGeneMatchSum(gene.name, gene.index, other, storage, plus, coefficient, out);
  return out;
}

}  // namespace paralog
