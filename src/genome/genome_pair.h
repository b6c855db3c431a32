#ifndef PARALOG_GENOME_GENOME_PAIR_H
#define PARALOG_GENOME_GENOME_PAIR_H

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "genome/genome.h"

namespace paralog {

/// The two genomes to compare as given to --pair ("A,B"), not yet looked up.
struct PairChoice {
  std::string first;
  std::string second;
};

/// Splits "A,B" at its only comma. Throws std::invalid_argument (with a
/// message to show after the option's name) unless there is exactly one
/// comma and text on both sides of it.
PairChoice parsePairChoice(std::string_view value);

/// The 0-based positions in `structures` of the genomes `choice` names, in
/// its order. An item of digits only is a position counted from 1; any
/// other item is a genome name, which must name exactly one genome. Throws
/// std::runtime_error("<sourceName>: --pair A,B: ...") for a position out
/// of range, a name no genome or several genomes have, or when both items
/// name the same genome.
std::pair<size_t, size_t> findPair(const std::vector<Structure>& structures,
                                   const PairChoice& choice, std::string_view sourceName);

}  // namespace paralog

#endif  // PARALOG_GENOME_GENOME_PAIR_H
