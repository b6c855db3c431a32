#include "ilp/objective_forecast.h"

#include "ilp/adjacency.h"
#include "ilp/extremities.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

// The weighted o names, as the two calls of the O generator make them.
void addWeightedNames(const Structure& own, VariablesStorage& storage) {
  for (size_t i = 0; i < own.chromosomes.size(); ++i) {
    const Chromosome& chromosome = own.chromosomes[i];
    if (!chromosome.circular || chromosome.genes.size() < 2) continue;
    storage.oVariable(own.id, i, chromosome.genes.size());
  }
}

}  // namespace

std::string forecastObjective(const Structure& first, const Structure& second) {
  VariablesStorage storage;
  for (const auto& [name, indices] : first.copies) {
    const auto partners = second.copies.find(name);
    if (partners == second.copies.end()) continue;
    for (int32_t i : indices) {
      for (int32_t j : partners->second) storage.zVariable(name, i, j);
    }
  }
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  for (const auto& [keys, entry] : numbering.entries()) {
    storage.pVariable(entry.value.id, keys.first, keys.second);
  }
  for (const Extremity& end : structureExtremities(first)) {
    storage.lVariable(end);
    storage.rVariable(first.id, end);
  }
  for (const Extremity& end : structureExtremities(second)) storage.rVariable(second.id, end);
  addWeightedNames(first, storage);
  addWeightedNames(second, storage);
  return storage.objectiveText();
}

}  // namespace paralog
