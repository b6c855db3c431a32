#ifndef PARALOG_REPORT_FAMILY_TABLE_H
#define PARALOG_REPORT_FAMILY_TABLE_H

#include <cstddef>
#include <string>
#include <vector>

#include "genome/genome.h"
#include "report/matching_report.h"

namespace paralog {

/// One gene family of the compared pair (the copies of one gene name): how
/// many copies each genome has and how many pairs of them the matching holds.
struct FamilyCounts {
  std::string family;  ///< the gene name as the input wrote it
  size_t firstCopies = 0;
  size_t secondCopies = 0;
  size_t matched = 0;

  size_t unmatchedFirst() const { return firstCopies - matched; }
  size_t unmatchedSecond() const { return secondCopies - matched; }
};

/// The families of `report` (the matching of `first` and `second`), in the
/// order of the program's z variables: by the byte order of the gene names
/// as the LP file writes them, each followed by the "." that ends it in a z
/// name. Copies count as the report's rows do (a copy written twice once).
std::vector<FamilyCounts> countFamilies(const Structure& first, const Structure& second,
                                        const MatchingReport& report);

/// The table that --families writes: the header "family\tfirst_copies\t
/// second_copies\tmatched\tunmatched_first\tunmatched_second", then one
/// line per family.
std::string familyTable(const std::vector<FamilyCounts>& families);

}  // namespace paralog

#endif  // PARALOG_REPORT_FAMILY_TABLE_H
