// Random small genome pairs and every matching of their copies, for the
// brute-force property tests of the compact solve and its bounds.
#ifndef PARALOG_TESTS_SUPPORT_RANDOM_PAIRS_H
#define PARALOG_TESTS_SUPPORT_RANDOM_PAIRS_H

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "genome/genome.h"
#include "support/structure_builders.h"

namespace paralog::testutil {

// Genes a, b, ... with the given numbers of copies, random orientations,
// shuffled over linear and circular chromosomes, some of one gene.
inline Structure randomGenome(std::mt19937& random, int32_t id, const std::vector<int>& copies) {
  std::vector<Gene> genes;
  for (size_t g = 0; g < copies.size(); ++g) {
    for (int i = 1; i <= copies[g]; ++i) {
      genes.push_back({std::string(1, static_cast<char>('a' + g)), i, random() % 2 == 0 ? 1 : -1});
    }
  }
  std::shuffle(genes.begin(), genes.end(), random);
  std::vector<Chromosome> chromosomes;
  for (size_t at = 0; at < genes.size();) {
    const size_t length = 1 + random() % (genes.size() - at);
    Chromosome chromosome;
    chromosome.circular = random() % 2 == 0;
    chromosome.genes.assign(genes.begin() + at, genes.begin() + at + length);
    chromosomes.push_back(chromosome);
    at += length;
  }
  return structure(id, chromosomes);
}

// Two random genomes (randomGenome) of the same 1 to `maxGenes` genes, each
// in 1 to 3 copies per genome.
inline std::pair<Structure, Structure> randomPair(std::mt19937& random, int maxGenes) {
  const int genes = 1 + static_cast<int>(random() % static_cast<unsigned>(maxGenes));
  std::vector<int> firstCopies, secondCopies;
  for (int g = 0; g < genes; ++g) {
    firstCopies.push_back(1 + static_cast<int>(random() % 3));
    secondCopies.push_back(1 + static_cast<int>(random() % 3));
  }
  Structure first = randomGenome(random, 1, firstCopies);
  return {std::move(first), randomGenome(random, 2, secondCopies)};
}

// Every matching of the graph's candidate pairs, each copy at most once.
inline void forEachMatching(const compact::PieceGraph& graph,
                            const std::function<void(const compact::CopyMatching&)>& visit) {
  compact::CopyMatching matching;
  matching.pairOfCopy.assign(graph.copies().size(), -1);
  std::function<void(size_t)> extend = [&](size_t p) {
    if (p == graph.pairs().size()) return visit(matching);
    extend(p + 1);
    const compact::PieceGraph::Pair& pair = graph.pairs()[p];
    if (matching.pairOfCopy[pair.first] >= 0 || matching.pairOfCopy[pair.second] >= 0) return;
    matching.pairOfCopy[pair.first] = matching.pairOfCopy[pair.second] = static_cast<int32_t>(p);
    extend(p + 1);
    matching.pairOfCopy[pair.first] = matching.pairOfCopy[pair.second] = -1;
  };
  extend(0);
}

}  // namespace paralog::testutil

#endif  // PARALOG_TESTS_SUPPORT_RANDOM_PAIRS_H
