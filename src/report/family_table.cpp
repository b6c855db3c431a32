#include "report/family_table.h"

#include <map>

#include "genome/gene_name_escape.h"
#include "lp/variable_names.h"

namespace paralog {

std::vector<FamilyCounts> countFamilies(const Structure& first, const Structure& second,
                                        const MatchingReport& report) {
  std::map<std::string, FamilyCounts> byDisplay;
  for (const MatchingRow& row : report.rows) {
    FamilyCounts& counts = byDisplay[row.gene];
    counts.family = row.gene;
    counts.firstCopies += row.first ? 1 : 0;
    counts.secondCopies += row.second ? 1 : 0;
    counts.matched += row.first && row.second ? 1 : 0;
  }
  // The z variables of one family stand together, ordered as the start
  // their names share.
  std::map<std::string, std::string> displayByZPrefix;
  std::string prefix;
  for (const Structure* structure : {&first, &second}) {
    for (const auto& [name, indices] : structure->copies) {
      prefix.clear();
      appendZNamePrefix(prefix, name);
      displayByZPrefix.emplace(prefix, originalGeneName(*structure, name));
    }
  }
  std::vector<FamilyCounts> families;
  for (const auto& [prefix, display] : displayByZPrefix) {
    const auto found = byDisplay.find(display);
    if (found != byDisplay.end()) families.push_back(found->second);
  }
  return families;
}

std::string familyTable(const std::vector<FamilyCounts>& families) {
  std::string table = "family\tfirst_copies\tsecond_copies\tmatched\tunmatched_first\tunmatched_second\n";
  for (const FamilyCounts& f : families) {
    table += f.family + "\t" + std::to_string(f.firstCopies) + "\t" + std::to_string(f.secondCopies) + "\t" +
             std::to_string(f.matched) + "\t" + std::to_string(f.unmatchedFirst()) + "\t" +
             std::to_string(f.unmatchedSecond()) + "\n";
  }
  return table;
}

}  // namespace paralog
