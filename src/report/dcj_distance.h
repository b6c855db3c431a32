#ifndef PARALOG_REPORT_DCJ_DISTANCE_H
#define PARALOG_REPORT_DCJ_DISTANCE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "genome/genome.h"
#include "report/matching_report.h"

namespace paralog {

/// A genome of single-copy genes 0..N-1 in adjacency form: gene g has the
/// tail end 2g and the head end 2g + 1, and mate[e] is the end that touches
/// end e on its chromosome, or -1 where e ends a linear chromosome.
struct SingleCopyGenome {
  std::vector<int32_t> mate;
};

/// The counts of the adjacency graph of two single-copy genomes.
struct DcjCounts {
  size_t genes = 0;     ///< N
  size_t cycles = 0;    ///< C
  size_t oddPaths = 0;  ///< I: paths from a chromosome end of one genome to one of the other
  /// N - (C + I/2), the DCJ distance (I is always even).
  size_t distance() const { return genes - cycles - oddPaths / 2; }
};

/// The counts of the adjacency graph of `a` and `b`, in time linear in N.
/// REQUIRES: both mate vectors have 2N entries, each a valid end or -1,
/// and mate[mate[e]] == e wherever mate[e] >= 0.
DcjCounts dcjCounts(const SingleCopyGenome& a, const SingleCopyGenome& b);

/// The two genomes restricted to their matched copies, each matched pair
/// one single-copy gene (numbered in the order of `pairs`): every unmatched
/// copy is dropped, the rest keep their order and sign, chromosomes keep
/// their kind and empty ones vanish. A matched copy listed twice in one
/// genome counts at its first place only. REQUIRES: each copy in at most
/// one pair. Expected linear time.
std::vector<SingleCopyGenome> restrictToMatched(const Structure& first, const Structure& second,
                                                const std::vector<MatchedCopyPair>& pairs);

/// The DCJ distance of the genomes restricted to their matched copies.
size_t matchedDcjDistance(const Structure& first, const Structure& second,
                          const std::vector<MatchedCopyPair>& pairs);

}  // namespace paralog

#endif  // PARALOG_REPORT_DCJ_DISTANCE_H
