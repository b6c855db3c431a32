#ifndef PARALOG_REPORT_MATCH_ALL_NOTE_H
#define PARALOG_REPORT_MATCH_ALL_NOTE_H

#include <cstddef>
#include <optional>
#include <string>

#include "genome/genome.h"

namespace paralog {

/// The number of copy pairs --match-all would match: the sum over the
/// genes of both genomes of the smaller of their two copy counts.
size_t matchAllPairCount(const Structure& first, const Structure& second);

/// A note (without line end) for standard error when a solution matching
/// `matchedPairs` pairs leaves more than half of what --match-all would
/// match unmatched, which on distant genomes the optimum does; else nothing.
std::optional<std::string> fewMatchedNote(const Structure& first, const Structure& second, size_t matchedPairs);

}  // namespace paralog

#endif  // PARALOG_REPORT_MATCH_ALL_NOTE_H
