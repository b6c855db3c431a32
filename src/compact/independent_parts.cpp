#include "compact/independent_parts.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace paralog::compact {
namespace {

// Union-find over the chromosomes of both genomes, first genome first.
class ChromosomeSets {
 public:
  explicit ChromosomeSets(size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0); }
  size_t find(size_t c) {
    while (parent_[c] != c) c = parent_[c] = parent_[parent_[c]];
    return c;
  }
  void unite(size_t a, size_t b) {
    a = find(a);
    b = find(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

 private:
  std::vector<size_t> parent_;
};

Structure emptyLike(const Structure& genome) {
  Structure part;
  part.id = genome.id;
  part.name = genome.name;
  part.escapedNames = genome.escapedNames;
  return part;
}

void addChromosome(Structure& part, const Chromosome& chromosome) {
  part.chromosomes.push_back(chromosome);
  for (const Gene& gene : chromosome.genes) part.copies[gene.name].push_back(gene.index);
}

}  // namespace

std::vector<GenomePart> independentParts(const Structure& first, const Structure& second) {
  const std::vector<const Chromosome*> all = [&] {
    std::vector<const Chromosome*> list;
    for (const Structure* genome : {&first, &second}) {
      for (const Chromosome& chromosome : genome->chromosomes) list.push_back(&chromosome);
    }
    return list;
  }();
  ChromosomeSets sets(all.size());
  std::unordered_map<std::string_view, size_t> chromosomeOfGene;
  for (size_t c = 0; c < all.size(); ++c) {
    if (all[c]->genes.empty()) return {GenomePart{first, second}};
    for (const Gene& gene : all[c]->genes) {
      const auto [seen, added] = chromosomeOfGene.emplace(gene.name, c);
      if (!added) sets.unite(seen->second, c);
    }
  }
  std::vector<GenomePart> parts;
  std::unordered_map<size_t, size_t> partOfRoot;
  const size_t firstCount = first.chromosomes.size();
  for (size_t c = 0; c < all.size(); ++c) {
    const auto [entry, added] = partOfRoot.emplace(sets.find(c), parts.size());
    if (added) parts.push_back({emptyLike(first), emptyLike(second)});
    GenomePart& part = parts[entry->second];
    addChromosome(c < firstCount ? part.first : part.second, *all[c]);
  }
  return parts;
}

}  // namespace paralog::compact
