#include "ilp/adjacency.h"

#include <stdexcept>

namespace paralog {
namespace {

std::pair<std::string, std::string> normalisedKeys(const Adjacency& adjacency) {
  std::string a = extremityKey(adjacency.firstEnd);
  std::string b = extremityKey(adjacency.secondEnd);
  if (b < a) std::swap(a, b);
  return {std::move(a), std::move(b)};
}

}  // namespace

Extremity leftExtremity(const Gene& gene) {
  return Extremity{gene.name, gene.index, gene.sign == -1 ? 'h' : 't'};
}

Extremity rightExtremity(const Gene& gene) {
  return Extremity{gene.name, gene.index, gene.sign == -1 ? 't' : 'h'};
}

std::vector<Adjacency> chromosomeAdjacencies(const Chromosome& chromosome) {
  std::vector<Adjacency> result;
  const size_t n = chromosome.genes.size();
  const size_t m = chromosome.circular ? 0 : 1;
  if (n <= m) return result;
  result.reserve(n - m);
  for (size_t i = 0; i < n - m; ++i) {
    Extremity x = rightExtremity(chromosome.genes[i]);
    Extremity y = leftExtremity(chromosome.genes[(i + 1) % n]);
    if (extremityLess(y, x)) std::swap(x, y);
    result.push_back(Adjacency{std::move(x), std::move(y)});
  }
  return result;
}

std::vector<Adjacency> structureAdjacencies(const Structure& structure) {
  std::vector<Adjacency> result;
  for (const Chromosome& chromosome : structure.chromosomes) {
    std::vector<Adjacency> part = chromosomeAdjacencies(chromosome);
    result.insert(result.end(), std::make_move_iterator(part.begin()),
                  std::make_move_iterator(part.end()));
  }
  return result;
}

Adjacency reversed(const Adjacency& adjacency) {
  return Adjacency{adjacency.secondEnd, adjacency.firstEnd};
}

std::array<std::pair<Adjacency, Adjacency>, 4> orientationPairs(const Adjacency& x,
                                                                const Adjacency& y) {
  const Adjacency rx = reversed(x);
  const Adjacency ry = reversed(y);
  return {{{x, y}, {x, ry}, {rx, y}, {rx, ry}}};
}

void AdjacencyNumbering::set(const Adjacency& adjacency, AdjacencyNumber value) {
  auto keys = normalisedKeys(adjacency);
  Adjacency normalised = adjacency;
  if (extremityLess(adjacency.secondEnd, adjacency.firstEnd)) normalised = reversed(adjacency);
  entries_.insert_or_assign(std::move(keys), Entry{std::move(normalised), value});
}

const AdjacencyNumber* AdjacencyNumbering::find(const Adjacency& adjacency) const {
  const auto it = entries_.find(normalisedKeys(adjacency));
  return it == entries_.end() ? nullptr : &it->second.value;
}

AdjacencyNumbering numberAdjacencies(const Structure& first, const Structure& second) {
  AdjacencyNumbering numbering;
  int32_t counter = 1;
  int32_t lastOfFirst = 0;
  for (const Structure* structure : {&first, &second}) {
    for (const Chromosome& chromosome : structure->chromosomes) {
      for (const Adjacency& adjacency : chromosomeAdjacencies(chromosome)) {
        numbering.set(adjacency, AdjacencyNumber{counter, structure->id});
        ++counter;
      }
    }
    if (structure == &first) lastOfFirst = counter - 1;
  }
  numbering.setRanges(lastOfFirst, counter - 1);
  return numbering;
}

int32_t adjacencyNumber(const AdjacencyNumbering& numbering, const Adjacency& adjacency) {
  const AdjacencyNumber* found = numbering.find(adjacency);
  if (found == nullptr) {
    throw std::logic_error("internal error: adjacency {" + extremityKey(adjacency.firstEnd) +
                           ", " + extremityKey(adjacency.secondEnd) + "} has no number");
  }
  return found->number;
}

}  // namespace paralog
