#include "report/matching_report.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "genome/gene_name_escape.h"
#include "report/dcj_distance.h"

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

MatchingReport reportPairs(const Structure& first, const Structure& second,
                           const std::vector<MatchedCopyPair>& pairs, size_t pAtOne) {
  const std::set<Copy> firstCopies = distinctCopies(first);
  const std::set<Copy> secondCopies = distinctCopies(second);
  std::map<Copy, int32_t> partnerOfFirst;
  for (const MatchedCopyPair& pair : pairs) partnerOfFirst[{pair.gene, pair.first}] = pair.second;
  std::set<Copy> matchedFirst, matchedSecond;
  // Rows grouped by the name shown, which orders them.
  std::map<std::string, std::vector<MatchingRow>> byGene;
  MatchingReport report;
  std::vector<MatchedCopyPair> matched;
  for (const Copy& copy : firstCopies) {
    const std::string display = originalGeneName(first, copy.first);
    const auto partner = partnerOfFirst.find(copy);
    if (partner != partnerOfFirst.end() && secondCopies.count({copy.first, partner->second}) != 0) {
      matchedFirst.insert(copy);
      matchedSecond.emplace(copy.first, partner->second);
      byGene[display].push_back({display, copy.second, partner->second});
      matched.push_back({copy.first, copy.second, partner->second});
      ++report.matchedPairs;
    } else {
      byGene[display].push_back({display, copy.second, std::nullopt});
    }
  }
  for (const Copy& copy : secondCopies) {
    if (matchedSecond.count(copy) != 0) continue;
    const std::string display = originalGeneName(second, copy.first);
    byGene[display].push_back({display, std::nullopt, copy.second});
  }
  for (auto& [display, rows] : byGene) {
    report.rows.insert(report.rows.end(), rows.begin(), rows.end());
  }
  report.pAtOne = pAtOne;
  report.unmatchedFirst = firstCopies.size() - matchedFirst.size();
  report.unmatchedSecond = secondCopies.size() - matchedSecond.size();
  report.matchedDistance = matchedDcjDistance(first, second, matched);
  report.circularUnmatched =
      unmatchedCircular(first, matchedFirst) + unmatchedCircular(second, matchedSecond);
  return report;
}

MatchingReport reportMatching(const Structure& first, const Structure& second,
                              const LinearProgram& program, const std::vector<double>& values) {
  std::vector<MatchedCopyPair> pairs;
  for (const ProgramZVariable& z : program.zVariables()) {
    if (values[z.index] > 0.5) pairs.push_back({z.gene, z.first, z.second});
  }
  // Ordered by gene and copy indices, which decides the partner that
  // reportPairs keeps should a copy be matched twice.
  std::sort(pairs.begin(), pairs.end(), [](const MatchedCopyPair& a, const MatchedCopyPair& b) {
    return std::tie(a.gene, a.first, a.second) < std::tie(b.gene, b.first, b.second);
  });
  size_t pAtOne = 0;
  for (size_t i = 0; i < program.variables().size(); ++i) {
    if (program.variables()[i].family == VariableFamily::kP && values[i] > 0.5) ++pAtOne;
  }
  return reportPairs(first, second, pairs, pAtOne);
}

std::string matchingTable(const MatchingReport& report) {
  std::string table = "gene\tfirst\tsecond\n";
  for (const MatchingRow& row : report.rows) {
    table += row.gene + "\t" + indexText(row.first) + "\t" + indexText(row.second) + "\n";
  }
  return table;
}

}  // namespace paralog
