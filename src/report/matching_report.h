#ifndef PARALOG_REPORT_MATCHING_REPORT_H
#define PARALOG_REPORT_MATCHING_REPORT_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "genome/genome.h"
#include "model/linear_program.h"

namespace paralog {

/// One row of the matching table: a gene copy of either genome and the copy
/// it is matched with, if any.
struct MatchingRow {
  std::string gene;               ///< as the input wrote it (escaped names decoded)
  std::optional<int32_t> first;   ///< copy index in the first genome
  std::optional<int32_t> second;  ///< copy index in the second genome
};

/// What a solution says about the two genomes.
struct MatchingReport {
  size_t matchedPairs = 0;
  size_t pAtOne = 0;  ///< p variables at 1
  size_t circularUnmatched = 0;  ///< circular chromosomes (of either genome) with no matched copy
  size_t unmatchedFirst = 0;     ///< copies of the first genome matched with none
  size_t unmatchedSecond = 0;    ///< copies of the second genome matched with none
  /// The DCJ distance of the two genomes restricted to their matched copies
  /// (report/dcj_distance.h).
  size_t matchedDistance = 0;
  /// Sorted by gene name (byte order), then matched rows and unmatched
  /// copies of the first genome by first index, then the second genome's
  /// unmatched copies by second index. Copies written twice in a genome
  /// give one row.
  std::vector<MatchingRow> rows;
};

/// One matched pair: a gene (as the program spells it) and the copy index
/// in each genome.
struct MatchedCopyPair {
  std::string gene;
  int32_t first = 0;
  int32_t second = 0;
};

/// The report of a matching given as its pairs (each copy in at most one)
/// and the number of p variables at 1 of the solution that holds it.
MatchingReport reportPairs(const Structure& first, const Structure& second,
                           const std::vector<MatchedCopyPair>& pairs, size_t pAtOne);

/// Reads the matching from `values` (one per variable of `program`, by
/// index; a value above one half counts as 1): copy i of gene g in `first`
/// is matched with copy j in `second` when the program's z variable of g, i
/// and j is 1; the p variables at 1 are counted by their family. `program`
/// must be the program of `first` and `second`.
MatchingReport reportMatching(const Structure& first, const Structure& second,
                              const LinearProgram& program, const std::vector<double>& values);

/// The table as tab-separated text: the header "gene\tfirst\tsecond", then
/// one line per row, "-" for a missing index.
std::string matchingTable(const MatchingReport& report);

}  // namespace paralog

#endif  // PARALOG_REPORT_MATCHING_REPORT_H
