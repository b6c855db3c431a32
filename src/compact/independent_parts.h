#ifndef PARALOG_COMPACT_INDEPENDENT_PARTS_H
#define PARALOG_COMPACT_INDEPENDENT_PARTS_H

#include <vector>

#include "genome/genome.h"

namespace paralog::compact {

/// The chromosomes of both genomes that candidate pairs tie together, as two
/// structures of their own (the ids, names and copy indices of the genomes
/// they come from). Owns copies of its chromosomes.
struct GenomePart {
  Structure first;
  Structure second;
};

/// Splits two genomes into parts that no candidate pair links: two
/// chromosomes are in one part when some gene has a copy on each, or when
/// a chain of such chromosomes joins them. Parts come in the order of their
/// first chromosome in the first genome, chromosomes in their input order.
/// Returns one part only (the whole genomes) when nothing splits them or
/// when a chromosome holds no gene. REQUIRES: both genomes hold the same
/// gene names.
std::vector<GenomePart> independentParts(const Structure& first, const Structure& second);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_INDEPENDENT_PARTS_H
