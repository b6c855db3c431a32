#include "compact/piece_graph.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace paralog::compact {
namespace {

constexpr int kTail = 0;
constexpr int kHead = 1;

// The end of a copy that faces the start of its chromosome.
int leftEnd(const Gene& gene) { return gene.sign == -1 ? kHead : kTail; }
// The end that faces the end of its chromosome.
int rightEnd(const Gene& gene) { return gene.sign == -1 ? kTail : kHead; }

// An extremity named as the input names it: gene, copy index, end.
using EndKey = std::tuple<std::string_view, int32_t, int>;

}  // namespace

PieceGraph::PieceGraph(const Structure& first, const Structure& second) {
  addGenome(first, 0);
  addGenome(second, 1);
  addPairs(first, second);
  markShared();
}

void PieceGraph::addGenome(const Structure& structure, int genome) {
  for (const Chromosome& chromosome : structure.chromosomes) {
    const auto chromosomeIndex = static_cast<int32_t>(chromosomes_.size());
    chromosomes_.push_back({genome, chromosome.circular, {}});
    std::vector<int32_t> copyIds;
    for (const Gene& gene : chromosome.genes) {
      copyIds.push_back(static_cast<int32_t>(copies_.size()));
      copies_.push_back({genome, chromosomeIndex, gene.name, gene.index});
    }
    chromosomes_.back().copies = copyIds;
    nodeOfExtremity_.resize(copies_.size() * 2, -1);
    addChromosomeNodes(chromosome, genome, chromosomeIndex, copyIds);
  }
}

void PieceGraph::addChromosomeNodes(const Chromosome& chromosome, int genome,
                                    int32_t chromosomeIndex, const std::vector<int32_t>& copyIds) {
  const size_t n = chromosome.genes.size();
  if (n == 0) return;
  auto addNode = [&](int32_t a, int32_t b) {
    const auto node = static_cast<int32_t>(nodes_.size());
    nodes_.push_back({genome, chromosomeIndex, {a, b}});
    nodeOfExtremity_[a] = node;
    if (b >= 0) nodeOfExtremity_[b] = node;
  };
  const std::vector<Gene>& genes = chromosome.genes;
  if (!chromosome.circular) addNode(extremity(copyIds[0], leftEnd(genes[0])), -1);
  const size_t adjacencies = chromosome.circular ? n : n - 1;
  for (size_t i = 0; i < adjacencies; ++i) {
    const size_t next = (i + 1) % n;
    addNode(extremity(copyIds[i], rightEnd(genes[i])), extremity(copyIds[next], leftEnd(genes[next])));
  }
  if (!chromosome.circular) addNode(extremity(copyIds[n - 1], rightEnd(genes[n - 1])), -1);
}

void PieceGraph::addPairs(const Structure& first, const Structure& second) {
  std::map<std::pair<std::string_view, int32_t>, int32_t> secondCopy;
  std::map<std::string_view, std::vector<int32_t>, std::less<>> firstCopies;
  for (size_t c = 0; c < copies_.size(); ++c) {
    const Copy& copy = copies_[c];
    if (copy.genome == 1) secondCopy[{copy.name, copy.index}] = static_cast<int32_t>(c);
    if (copy.genome == 0) firstCopies[copy.name].push_back(static_cast<int32_t>(c));
  }
  pairsOfCopy_.assign(copies_.size(), {});
  for (const auto& [name, indices] : first.copies) {
    const auto partners = second.copies.find(name);
    if (partners == second.copies.end()) continue;
    // The first genome's copies of the gene in the order of its copy list.
    std::map<int32_t, int32_t> firstByIndex;
    for (int32_t c : firstCopies[name]) firstByIndex[copies_[c].index] = c;
    for (int32_t i : indices) {
      for (int32_t j : partners->second) {
        const auto pair = static_cast<int32_t>(pairs_.size());
        const int32_t a = firstByIndex.at(i);
        const int32_t b = secondCopy.at({std::string_view(name), j});
        pairs_.push_back({a, b});
        pairsOfCopy_[a].push_back(pair);
        pairsOfCopy_[b].push_back(pair);
      }
    }
  }
}

void PieceGraph::markShared() {
  auto keyOf = [&](int32_t e) {
    const Copy& copy = copies_[copyOf(e)];
    return EndKey{copy.name, copy.index, e % 2};
  };
  auto adjacencyKey = [&](const Node& node) {
    EndKey a = keyOf(node.ends[0]);
    EndKey b = keyOf(node.ends[1]);
    return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
  };
  std::map<std::pair<EndKey, EndKey>, int32_t> secondAdjacencies;
  for (size_t v = 0; v < nodes_.size(); ++v) {
    const Node& node = nodes_[v];
    if (node.genome == 1 && !node.telomere()) secondAdjacencies.emplace(adjacencyKey(node), static_cast<int32_t>(v));
  }
  twinOfShared_.assign(nodes_.size(), -1);
  for (size_t v = 0; v < nodes_.size(); ++v) {
    const Node& node = nodes_[v];
    if (node.genome != 0 || node.telomere()) continue;
    const auto twin = secondAdjacencies.find(adjacencyKey(node));
    if (twin != secondAdjacencies.end()) twinOfShared_[v] = twin->second;
  }
}

bool compactModelApplies(const Structure& first, const Structure& second) {
  if (first.id == second.id) return false;
  for (const Structure* structure : {&first, &second}) {
    for (const auto& entry : structure->copies) {
      std::set<int32_t> seen(entry.second.begin(), entry.second.end());
      if (seen.size() != entry.second.size()) return false;
    }
  }
  return true;
}

}  // namespace paralog::compact
