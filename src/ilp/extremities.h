#ifndef PARALOG_ILP_EXTREMITIES_H
#define PARALOG_ILP_EXTREMITIES_H

#include <string>
#include <vector>

#include "genome/genome.h"
#include "genome/extremity.h"

namespace paralog {

/// Every extremity of `structure`: per gene name of `copies` in key order,
/// per copy index in list order (repeats kept), the 't' then the 'h' end.
std::vector<Extremity> structureExtremities(const Structure& structure);

/// The keys of `extremities`, position by position.
std::vector<std::string> extremityKeys(const std::vector<Extremity>& extremities);

/// The set of unordered pairs of different extremities of a structure,
/// ordered by the key of the smaller end, then of the larger. It is held as
/// the distinct extremities sorted by key: the pairs are exactly (sorted[i],
/// sorted[j]) for i < j, visited with i outer and j inner, so the quadratic
/// set is never materialised.
struct ExtremityPairs {
  std::vector<Extremity> sorted;  ///< distinct extremities, by key
  std::vector<std::string> keys;  ///< their keys

  size_t pairCount() const { return sorted.size() < 2 ? 0 : sorted.size() * (sorted.size() - 1) / 2; }
};

ExtremityPairs structureExtremityPairs(const Structure& structure);

}  // namespace paralog

#endif  // PARALOG_ILP_EXTREMITIES_H
