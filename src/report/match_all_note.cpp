#include "report/match_all_note.h"

#include <algorithm>

namespace paralog {

size_t matchAllPairCount(const Structure& first, const Structure& second) {
  size_t pairs = 0;
  for (const auto& [name, indices] : first.copies) {
    const auto partners = second.copies.find(name);
    if (partners != second.copies.end()) pairs += std::min(indices.size(), partners->second.size());
  }
  return pairs;
}

std::optional<std::string> fewMatchedNote(const Structure& first, const Structure& second, size_t matchedPairs) {
  const size_t possible = matchAllPairCount(first, second);
  // More than half of the 2 * possible copies unmatched.
  if (2 * matchedPairs >= possible) return std::nullopt;
  return "note: the solution matches " + std::to_string(matchedPairs) + " of the " + std::to_string(possible) +
         " copy pairs that --match-all would match; on distant genomes the optimum can leave most copies "
         "unmatched, and --match-all asks for the maximal matching";
}

}  // namespace paralog
