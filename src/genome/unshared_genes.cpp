#include "genome/unshared_genes.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "genome/gene_name_escape.h"
#include "genome/quoted.h"

namespace paralog {
namespace {

// A gene name that one structure holds and the other lacks.
struct UnsharedGene {
  const std::string* name;
  const Structure* holder;
};

// The genes of one structure only, in byte order of their names.
std::vector<UnsharedGene> unsharedGenes(const Structure& first, const Structure& second) {
  std::vector<UnsharedGene> genes;
  auto a = first.copies.begin();
  auto b = second.copies.begin();
  while (a != first.copies.end() || b != second.copies.end()) {
    if (b == second.copies.end() || (a != first.copies.end() && a->first < b->first)) {
      genes.push_back({&a->first, &first});
      ++a;
    } else if (a == first.copies.end() || b->first < a->first) {
      genes.push_back({&b->first, &second});
      ++b;
    } else {
      ++a, ++b;
    }
  }
  return genes;
}

// Removes the copies of `structure` whose name `other` lacks; returns how many.
size_t dropCopiesMissingIn(Structure& structure, const Structure& other) {
  size_t removed = 0;
  for (Chromosome& chromosome : structure.chromosomes) {
    const size_t before = chromosome.genes.size();
    chromosome.genes.erase(std::remove_if(chromosome.genes.begin(), chromosome.genes.end(),
                                          [&](const Gene& gene) {
                                            return other.copies.find(gene.name) ==
                                                   other.copies.end();
                                          }),
                           chromosome.genes.end());
    removed += before - chromosome.genes.size();
  }
  structure.chromosomes.erase(
      std::remove_if(structure.chromosomes.begin(), structure.chromosomes.end(),
                     [](const Chromosome& chromosome) { return chromosome.genes.empty(); }),
      structure.chromosomes.end());
  return removed;
}

}  // namespace

void requireSameGeneNames(const Structure& first, const Structure& second,
                          std::string_view sourceName) {
  const std::vector<UnsharedGene> genes = unsharedGenes(first, second);
  if (genes.empty()) return;
  std::string message = std::string(sourceName) + ": " + std::to_string(genes.size()) +
                        (genes.size() == 1 ? " gene occurs" : " genes occur") +
                        " in only one of the compared genomes: ";
  // Grouped by genome so that each genome's name is shown once.
  size_t listed = 0;
  for (const Structure* holder : {&first, &second}) {
    bool opened = false;
    for (const UnsharedGene& gene : genes) {
      if (gene.holder != holder || listed == kListedUnsharedGenes) continue;
      message += opened ? ", " : (listed == 0 ? "in " : "; in ") + quoted(holder->name) + " only: ";
      opened = true;
      message += quoted(originalGeneName(*holder, *gene.name));
      ++listed;
    }
  }
  if (genes.size() > listed) message += " and " + std::to_string(genes.size() - listed) + " more";
  message +=
      "; both genomes must hold the same gene names (--drop-unshared removes such genes "
      "from both)";
  throw std::runtime_error(message);
}

size_t dropUnsharedGenes(Structure& first, Structure& second) {
  const size_t removedFromFirst = dropCopiesMissingIn(first, second);
  const size_t removedFromSecond = dropCopiesMissingIn(second, first);
  // The copy lists follow the chromosomes: names of one structure only go.
  for (Structure* structure : {&first, &second}) {
    const Structure& other = structure == &first ? second : first;
    for (auto entry = structure->copies.begin(); entry != structure->copies.end();) {
      entry = other.copies.count(entry->first) != 0 ? std::next(entry)
                                                     : structure->copies.erase(entry);
    }
  }
  return removedFromFirst + removedFromSecond;
}

}  // namespace paralog
