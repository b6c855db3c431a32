#include "matching/genome_pair_graph.h"

#include <set>
#include <stdexcept>

#include "genome/extremity.h"
#include "ilp/adjacency.h"

namespace paralog {

GenomePairGraph::GenomePairGraph(const Structure& first, const Structure& second) {
  for (const Structure* structure : {&first, &second}) {
    for (const auto& [name, indices] : structure->copies) {
      (void)indices;
      if (geneByName_.count(name) == 0) geneByName_.emplace(name, 0);
    }
  }
  for (auto& [name, gene] : geneByName_) {
    gene = static_cast<uint32_t>(geneNames_.size());
    geneNames_.push_back(name);
  }
  ids_[0] = first.id;
  ids_[1] = second.id;
  addGenome(0, first);
  addGenome(1, second);
  copyBase_[1] = static_cast<uint32_t>(copies_[0].size());
  const size_t ends = 2 * (copies_[0].size() + copies_[1].size());
  endMate_.assign(ends, -1);
  adjacencyOfEnd_.assign(ends, -1);
  endKeys_.resize(ends);
  for (int genome = 0; genome < 2; ++genome) {
    for (uint32_t c = 0; c < copies_[genome].size(); ++c) {
      for (int head = 0; head < 2; ++head) {
        endKeys_[endOf(genome, c, head)] = extremityKey(
            Extremity{geneNames_[copies_[genome][c].gene], copies_[genome][c].index, kEndLabels[head]});
      }
    }
  }
  addAdjacencies(first, second);
}

void GenomePairGraph::addGenome(int genome, const Structure& structure) {
  copiesOfGene_[genome].resize(geneNames_.size());
  for (uint32_t position = 0; position < structure.chromosomes.size(); ++position) {
    const Chromosome& chromosome = structure.chromosomes[position];
    const auto chromosomeId = static_cast<uint32_t>(chromosomes_.size());
    chromosomes_.push_back(GraphChromosome{static_cast<uint8_t>(genome), position,
                                           chromosome.circular,
                                           static_cast<uint32_t>(chromosome.genes.size())});
    for (const Gene& gene : chromosome.genes) {
      const uint32_t geneId = geneByName_.at(gene.name);
      const auto copy = static_cast<uint32_t>(copies_[genome].size());
      if (!copyByKey_[genome].emplace(std::make_pair(geneId, gene.index), copy).second) {
        throw std::runtime_error("genome " + std::to_string(genome + 1) + " holds the copy " +
                                 gene.name + "." + std::to_string(gene.index) +
                                 " twice, so a matching of its copies has no value");
      }
      copies_[genome].push_back(GraphCopy{geneId, gene.index, chromosomeId});
      copiesOfGene_[genome][geneId].push_back(copy);
    }
  }
}

void GenomePairGraph::addAdjacencies(const Structure& first, const Structure& second) {
  const auto endId = [this](int genome, const Extremity& e) {
    const uint32_t copy = copyByKey_[genome].at({geneByName_.at(e.name), e.index});
    return endOf(genome, copy, e.end == 'h' ? 1 : 0);
  };
  std::set<std::pair<std::string, std::string>> secondKeys;
  for (const Adjacency& a : structureAdjacencies(second)) {
    secondKeys.emplace(extremityKey(a.firstEnd), extremityKey(a.secondEnd));
  }
  const Structure* structures[2] = {&first, &second};
  int32_t number = 0;
  for (int genome = 0; genome < 2; ++genome) {
    for (const Adjacency& a : structureAdjacencies(*structures[genome])) {
      GraphAdjacency adjacency;
      adjacency.genome = static_cast<uint8_t>(genome);
      adjacency.ends[0] = endId(genome, a.firstEnd);
      adjacency.ends[1] = endId(genome, a.secondEnd);
      adjacency.number = ++number;
      adjacency.hasP = genome == 1 || secondKeys.count({endKeys_[adjacency.ends[0]],
                                                       endKeys_[adjacency.ends[1]]}) == 0;
      const auto id = static_cast<int32_t>(adjacencies_.size());
      for (int side = 0; side < 2; ++side) {
        endMate_[adjacency.ends[side]] = adjacency.ends[1 - side];
        adjacencyOfEnd_[adjacency.ends[side]] = id;
      }
      adjacencies_.push_back(adjacency);
    }
  }
  // A shared adjacency's rows in the first genome are written with the
  // highest number, which is the last one given.
  for (GraphAdjacency& adjacency : adjacencies_) {
    if (!adjacency.hasP) adjacency.number = number;
  }
}

std::optional<uint32_t> GenomePairGraph::findCopy(int genome, std::string_view name,
                                                  int32_t index) const {
  const auto gene = geneByName_.find(name);
  if (gene == geneByName_.end()) return std::nullopt;
  const auto copy = copyByKey_[genome].find({gene->second, index});
  if (copy == copyByKey_[genome].end()) return std::nullopt;
  return copy->second;
}

}  // namespace paralog
