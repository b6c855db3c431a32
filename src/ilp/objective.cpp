#include "ilp/objective.h"

#include <algorithm>
#include <map>

#include "common/decimal.h"
#include "ilp/adjacency.h"
#include "ilp/extremities.h"

namespace paralog {
namespace {

void sortUnique(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
}

std::string pairName(std::string_view prefix, int32_t k, const std::string& a,
                     const std::string& b) {
  std::string name(prefix);
  appendDecimal(name, k);
  name += '_';
  name.append(a < b ? a : b).append(a < b ? b : a);
  return name;
}

std::string endName(std::string_view prefix, const Extremity& end) {
  std::string name(prefix);
  appendExtremityKey(end, name);
  return name;
}

std::string rName(int32_t k, const Extremity& end) {
  std::string name("r_");
  appendDecimal(name, k);
  name += '_';
  appendExtremityKey(end, name);
  return name;
}

}  // namespace

Objective::Objective(const Structure& first, const Structure& second) {
  std::vector<std::string> matched;  // z and p
  for (const auto& [gene, indices] : first.copies) {
    const auto partners = second.copies.find(gene);
    if (partners == second.copies.end()) continue;
    for (int32_t i : indices) {
      for (int32_t j : partners->second) {
        std::string name("z_");
        name.append(gene).append(".");
        appendDecimal(name, i);
        name += '.';
        appendDecimal(name, j);
        matched.push_back(std::move(name));
      }
    }
  }
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  for (const auto& [keys, entry] : numbering.entries()) {
    matched.push_back(pairName("p_", entry.value.id, keys.first, keys.second));
  }
  std::vector<std::string> valued;  // l and r
  for (const Extremity& end : structureExtremities(first)) {
    valued.push_back(endName("l_", end));
    valued.push_back(rName(first.id, end));
  }
  for (const Extremity& end : structureExtremities(second)) valued.push_back(rName(second.id, end));
  std::map<std::string, int32_t> circular;  // o name -> gene count
  for (const Structure* own : {&first, &second}) {
    for (size_t c = 0; c < own->chromosomes.size(); ++c) {
      const Chromosome& chromosome = own->chromosomes[c];
      if (!chromosome.circular || chromosome.genes.size() < 2) continue;
      std::string name("o_");
      appendDecimal(name, own->id);
      name += '_';
      appendUnsignedDecimal(name, c);
      circular.insert_or_assign(std::move(name), static_cast<int32_t>(chromosome.genes.size()));
    }
  }

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
    terms_.emplace_back(name, name[0] == 'l' ? 1 : -1);
  }
  for (const auto& [unused, n] : circular) {
    const std::string_view name = names_[next++];
    terms_.emplace_back(name, 1);
    terms_.emplace_back(name, -n);
  }
}

}  // namespace paralog
