#include "simulated_pair.h"

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace paralog {
namespace {

struct SimulatedGene {
  uint32_t family;
  uint32_t copy;
  bool reversed;
};
using Genome = std::vector<std::vector<SimulatedGene>>;

// A uniform integer in [0, bound) from a generator whose output is fixed by
// the standard, unlike std::uniform_int_distribution's.
uint32_t below(std::mt19937_64& random, uint64_t bound) { return static_cast<uint32_t>(random() % bound); }

Genome firstGenome(const PairSimulation& s, std::mt19937_64& random) {
  std::vector<SimulatedGene> genes;
  for (uint32_t f = 0; f < s.families; ++f) {
    const bool twice = static_cast<double>(below(random, 1000000)) < s.duplicated * 1e6;
    const uint32_t copies = twice ? 2 + below(random, std::max<uint32_t>(2, s.maxCopies) - 1) : 1;
    for (uint32_t c = 1; c <= copies; ++c) genes.push_back({f, c, below(random, 2) == 1});
  }
  for (size_t i = genes.size(); i > 1; --i) std::swap(genes[i - 1], genes[below(random, i)]);
  Genome genome(std::max<uint32_t>(1, s.chromosomes));
  for (size_t i = 0; i < genes.size(); ++i) genome[i * genome.size() / genes.size()].push_back(genes[i]);
  return genome;
}

void invert(std::vector<SimulatedGene>& chromosome, size_t from, size_t to) {
  std::reverse(chromosome.begin() + from, chromosome.begin() + to);
  for (size_t i = from; i < to; ++i) chromosome[i].reversed = !chromosome[i].reversed;
}

Genome secondGenome(const PairSimulation& s, Genome genome, std::mt19937_64& random) {
  for (uint32_t i = 0; i < s.inversions; ++i) {
    auto& chromosome = genome[below(random, genome.size())];
    if (chromosome.size() < 2) continue;
    const size_t from = below(random, chromosome.size());
    const size_t length = 1 + below(random, std::max<uint32_t>(1, s.maxInversionLength));
    invert(chromosome, from, std::min(chromosome.size(), from + length));
  }
  std::map<uint32_t, uint32_t> copiesLeft;
  size_t allCopies = 0;
  for (const auto& chromosome : genome) {
    for (const SimulatedGene& gene : chromosome) ++copiesLeft[gene.family];
    allCopies += chromosome.size();
  }
  const uint32_t toLose =
      s.lostShare > 0 ? static_cast<uint32_t>(s.lostShare * static_cast<double>(allCopies) + 0.5) : s.lostCopies;
  for (uint32_t lost = 0, tries = 0; lost < toLose && tries < 100 * toLose + 100; ++tries) {
    auto& chromosome = genome[below(random, genome.size())];
    if (chromosome.size() < 2) continue;
    const size_t at = below(random, chromosome.size());
    if (copiesLeft[chromosome[at].family] < 2) continue;
    --copiesLeft[chromosome[at].family];
    chromosome.erase(chromosome.begin() + at);
    ++lost;
  }
  return genome;
}

std::string genomeText(const Genome& genome, const std::string& name, int id, bool circular) {
  std::string text = name + " " + std::to_string(id) + " : " + std::to_string(genome.size()) + " :\n";
  for (const auto& chromosome : genome) {
    text += circular ? "C " : "L ";
    text += std::to_string(chromosome.size()) + " : ";
    for (const SimulatedGene& gene : chromosome) {
      text += gene.reversed ? "-" : "+";
      text += "g" + std::to_string(gene.family) + "." + std::to_string(gene.copy);
    }
    text += ";\n";
  }
  return text;
}

}  // namespace

std::string simulatePair(const PairSimulation& simulation) {
  std::mt19937_64 random(simulation.seed);
  const Genome first = firstGenome(simulation, random);
  const Genome second = secondGenome(simulation, first, random);
  std::map<uint32_t, uint32_t> copies;
  for (const auto& chromosome : first) {
    for (const SimulatedGene& gene : chromosome) copies[gene.family] = std::max(copies[gene.family], gene.copy);
  }
  std::string text = std::to_string(copies.size()) + "\n";
  for (const auto& [family, count] : copies) text += "g" + std::to_string(family) + " " + std::to_string(count) + "\n";
  text += "2\n";
  text += genomeText(first, "first", 1, simulation.circular);
  text += genomeText(second, "second", 2, simulation.circular);
  return text;
}

}  // namespace paralog
