#ifndef PARALOG_SUPPORT_STRUCTURE_BUILDERS_H
#define PARALOG_SUPPORT_STRUCTURE_BUILDERS_H

// Builders of genome structures for the generator tests, written as short
// signed gene tokens ("+a.1", "-b.2") instead of going through the input
// reader, and a helper to compare the storage's name lists.

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "genome/genome.h"

namespace paralog::testutil {

/// One gene copy from its token: sign ("+" or "-"), name, ".", copy index,
/// e.g. "-b.2". The name runs up to the last ".". Throws
/// std::invalid_argument for a token without a sign or without a ".".
inline Gene gene(std::string_view token) {
  const size_t dot = token.rfind('.');
  if (token.empty() || (token[0] != '+' && token[0] != '-') || dot == std::string_view::npos) {
    throw std::invalid_argument("bad gene token " + std::string(token));
  }
  return Gene{std::string(token.substr(1, dot - 1)), std::stoi(std::string(token.substr(dot + 1))),
              token[0] == '-' ? -1 : 1};
}

/// A chromosome of the given kind holding the tokens' copies in order.
inline Chromosome chromosome(bool circular, std::initializer_list<std::string_view> tokens) {
  Chromosome result{circular, {}};
  for (std::string_view token : tokens) result.genes.push_back(gene(token));
  return result;
}
inline Chromosome linear(std::initializer_list<std::string_view> tokens) {
  return chromosome(false, tokens);
}
inline Chromosome circular(std::initializer_list<std::string_view> tokens) {
  return chromosome(true, tokens);
}

/// A structure with the given id (and the name "s" + id) whose copy index
/// holds exactly its genes' indices in order of appearance, repeats kept, as
/// the reader fills it.
inline Structure structure(int32_t id, std::vector<Chromosome> chromosomes) {
  Structure result;
  result.id = id;
  result.name = "s" + std::to_string(id);
  result.chromosomes = std::move(chromosomes);
  for (const Chromosome& c : result.chromosomes) {
    for (const Gene& g : c.genes) result.copies[g.name].push_back(g.index);
  }
  return result;
}

/// One chromosome as its kind and its genes in one text, e.g.
/// {kCircular, "+a.1 -b.2"}.
struct ChromosomeText {
  bool circular;
  std::string genes;  ///< blank-separated gene tokens
};

inline constexpr bool kLinear = false;
inline constexpr bool kCircular = true;

/// The same as `structure`, with each chromosome written as one text.
inline Structure makeStructure(int32_t id, std::initializer_list<ChromosomeText> chromosomes) {
  std::vector<Chromosome> built;
  for (const ChromosomeText& text : chromosomes) {
    Chromosome c{text.circular, {}};
    std::istringstream in(text.genes);
    std::string token;
    while (in >> token) c.genes.push_back(gene(token));
    built.push_back(std::move(c));
  }
  return structure(id, std::move(built));
}

/// Owned copies of the names the storage hands out as views.
inline std::vector<std::string> names(const std::vector<std::string_view>& views) {
  return std::vector<std::string>(views.begin(), views.end());
}

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_STRUCTURE_BUILDERS_H
