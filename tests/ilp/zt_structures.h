#ifndef PARALOG_TESTS_ILP_ZT_STRUCTURES_H
#define PARALOG_TESTS_ILP_ZT_STRUCTURES_H

// Builds genome structures for the z and t tests from short gene lists,
// without going through the input reader.

#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <string>

#include "genome/genome.h"

namespace paralog::zt_test {

/// One chromosome as its kind and its genes, e.g. {true, "+a.1 -b.2"}.
struct ChromosomeText {
  bool circular;
  std::string genes;  ///< blank-separated signed copies, name "." index
};

inline constexpr bool kLinear = false;
inline constexpr bool kCircular = true;

/// A structure with the given id whose copy list holds exactly its genes,
/// in order of appearance, repeats kept.
inline Structure makeStructure(int32_t id, std::initializer_list<ChromosomeText> chromosomes) {
  Structure structure;
  structure.id = id;
  structure.name = "s" + std::to_string(id);
  for (const ChromosomeText& text : chromosomes) {
    Chromosome chromosome;
    chromosome.circular = text.circular;
    std::istringstream in(text.genes);
    std::string token;
    while (in >> token) {
      const size_t dot = token.rfind('.');
      if ((token[0] != '+' && token[0] != '-') || dot == std::string::npos) {
        throw std::invalid_argument("bad gene token " + token);
      }
      Gene gene;
      gene.sign = token[0] == '-' ? -1 : 1;
      gene.name = token.substr(1, dot - 1);
      gene.index = std::stoi(token.substr(dot + 1));
      structure.copies[gene.name].push_back(gene.index);
      chromosome.genes.push_back(gene);
    }
    structure.chromosomes.push_back(chromosome);
  }
  return structure;
}

}  // namespace paralog::zt_test

#endif  // PARALOG_TESTS_ILP_ZT_STRUCTURES_H
