#include "ilp/objective.h"

#include <algorithm>
#include <map>

#include "ilp/adjacency.h"
#include "ilp/extremities.h"
#include "lp/variable_names.h"

namespace paralog {
namespace {

void sortUnique(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
}

// The name that `spell` appends to an empty string.
template <typename Spell>
std::string spelled(Spell&& spell) {
  std::string name;
  spell(name);
  return name;
}

// The z names of every copy pair of each common gene and the p names of
// the numbered adjacencies.
std::vector<std::string> matchedNames(const Structure& first, const Structure& second) {
  std::vector<std::string> matched;
  for (const auto& copies : first.copies) {
    const std::string& gene = copies.first;
    const auto partners = second.copies.find(gene);
    if (partners == second.copies.end()) continue;
    for (int32_t i : copies.second) {
      for (int32_t j : partners->second) {
        matched.push_back(spelled([&](std::string& name) { appendZName(name, gene, i, j); }));
      }
    }
  }
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  // Lambdas may not capture structured bindings before C++20.
  for (const auto& numbered : numbering.entries()) {
    const auto& keys = numbered.first;
    const int32_t id = numbered.second.value.id;
    matched.push_back(spelled([&](std::string& name) { appendPName(name, id, keys.first, keys.second); }));
  }
  return matched;
}

// The l names of the first structure's gene ends and the r names of both.
std::vector<std::string> valuedNames(const Structure& first, const Structure& second) {
  std::vector<std::string> valued;
  std::string key;
  for (const Structure* own : {&first, &second}) {
    for (const Extremity& end : structureExtremities(*own)) {
      key.clear();
      appendExtremityKey(end, key);
      if (own == &first) valued.push_back(spelled([&](std::string& name) { appendLName(name, key); }));
      valued.push_back(spelled([&](std::string& name) { appendRName(name, own->id, key); }));
    }
  }
  return valued;
}

// o name -> gene count, for the circular chromosomes of at least two genes.
std::map<std::string, int32_t> circularNames(const Structure& first, const Structure& second) {
  std::map<std::string, int32_t> circular;
  for (const Structure* own : {&first, &second}) {
    for (size_t c = 0; c < own->chromosomes.size(); ++c) {
      const Chromosome& chromosome = own->chromosomes[c];
      if (!chromosome.circular || chromosome.genes.size() < 2) continue;
      circular.insert_or_assign(spelled([&](std::string& name) { appendOName(name, own->id, c); }),
                                static_cast<int32_t>(chromosome.genes.size()));
    }
  }
  return circular;
}

}  // namespace

Objective::Objective(const Structure& first, const Structure& second) {
  std::vector<std::string> matched = matchedNames(first, second);
  std::vector<std::string> valued = valuedNames(first, second);
  const std::map<std::string, int32_t> circular = circularNames(first, second);
  sortUnique(matched);
  sortUnique(valued);
  names_.reserve(matched.size() + valued.size() + circular.size());
  for (std::string& name : matched) names_.push_back(std::move(name));
  for (std::string& name : valued) names_.push_back(std::move(name));
  for (const auto& entry : circular) names_.push_back(entry.first);
  // names_ no longer grows: the views below stay valid.
  size_t next = 0;
  for (size_t m = 0; m < matched.size(); ++m) terms_.emplace_back(names_[next++], -2);
  for (size_t v = 0; v < valued.size(); ++v) {
    const std::string_view name = names_[next++];
    terms_.emplace_back(name, variableFamily(name) == VariableFamily::kL ? 1 : -1);
  }
  for (const auto& [unused, n] : circular) {
    const std::string_view name = names_[next++];
    terms_.emplace_back(name, 1);
    terms_.emplace_back(name, -n);
  }
}

}  // namespace paralog
