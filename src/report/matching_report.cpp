#include "report/matching_report.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <utility>

#include "genome/gene_name_escape.h"

namespace paralog {
namespace {

using Copy = std::pair<std::string, int32_t>;  // gene name as in the program, copy index

std::set<Copy> distinctCopies(const Structure& structure) {
  std::set<Copy> copies;
  for (const auto& [name, indices] : structure.copies) {
    for (const int32_t index : indices) copies.emplace(name, index);
  }
  return copies;
}

size_t unmatchedCircular(const Structure& structure, const std::set<Copy>& matched) {
  size_t count = 0;
  for (const Chromosome& chromosome : structure.chromosomes) {
    if (!chromosome.circular || chromosome.genes.empty()) continue;
    const bool anyMatched = std::any_of(chromosome.genes.begin(), chromosome.genes.end(),
                                        [&](const Gene& gene) {
                                          return matched.count({gene.name, gene.index}) != 0;
                                        });
    if (!anyMatched) ++count;
  }
  return count;
}

std::string indexText(const std::optional<int32_t>& index) {
  return index ? std::to_string(*index) : "-";
}

}  // namespace

MatchingReport reportMatching(const Structure& first, const Structure& second,
                              const LinearProgram& program, const std::vector<double>& values) {
  const std::set<Copy> firstCopies = distinctCopies(first);
  const std::set<Copy> secondCopies = distinctCopies(second);
  std::set<Copy> matchedFirst, matchedSecond;
  // Rows grouped by the name shown, which orders them.
  std::map<std::string, std::vector<MatchingRow>> byGene;
  MatchingReport report;
  for (const auto& [name, i] : firstCopies) {
    const std::string display = originalGeneName(first, name);
    for (auto it = secondCopies.lower_bound({name, INT32_MIN}); it != secondCopies.end() && it->first == name; ++it) {
      const int32_t index = program.find("z_" + name + "." + std::to_string(i) + "." +
                                         std::to_string(it->second));
      if (index < 0 || values[index] <= 0.5) continue;
      matchedFirst.emplace(name, i);
      matchedSecond.insert(*it);
      byGene[display].push_back({display, i, it->second});
      ++report.matchedPairs;
    }
    if (matchedFirst.count({name, i}) == 0) byGene[display].push_back({display, i, std::nullopt});
  }
  for (auto& [display, rows] : byGene) {
    std::stable_sort(rows.begin(), rows.end(), [](const MatchingRow& a, const MatchingRow& b) {
      return a.first < b.first;
    });
  }
  for (const Copy& copy : secondCopies) {
    if (matchedSecond.count(copy) != 0) continue;
    const std::string display = originalGeneName(second, copy.first);
    byGene[display].push_back({display, std::nullopt, copy.second});
  }
  for (auto& [display, rows] : byGene) {
    report.rows.insert(report.rows.end(), rows.begin(), rows.end());
  }
  for (size_t i = 0; i < program.variables().size(); ++i) {
    if (program.variables()[i].name.rfind("p_", 0) == 0 && values[i] > 0.5) ++report.pAtOne;
  }
  report.unmatchedFirst = firstCopies.size() - matchedFirst.size();
  report.unmatchedSecond = secondCopies.size() - matchedSecond.size();
  report.circularUnmatched =
      unmatchedCircular(first, matchedFirst) + unmatchedCircular(second, matchedSecond);
  return report;
}

std::string matchingTable(const MatchingReport& report) {
  std::string table = "gene\tfirst\tsecond\n";
  for (const MatchingRow& row : report.rows) {
    table += row.gene + "\t" + indexText(row.first) + "\t" + indexText(row.second) + "\n";
  }
  return table;
}

}  // namespace paralog
