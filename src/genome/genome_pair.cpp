#include "genome/genome_pair.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "common/to_int.h"
#include "genome/quoted.h"

namespace paralog {
namespace {

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string genomeLabel(const std::vector<Structure>& structures, size_t index) {
  return "genome " + std::to_string(index + 1) + " (" + quoted(structures[index].name) + ")";
}

// Looks up one item of the choice; `fail` throws with the reason.
template <class Fail>
size_t findGenome(const std::vector<Structure>& structures, const std::string& item,
                  const Fail& fail) {
  if (allDigits(item)) {
    const std::optional<int32_t> position = toInt(item);
    if (!position || *position < 1 || static_cast<size_t>(*position) > structures.size()) {
      fail("there is no genome " + item + "; the file holds " +
           std::to_string(structures.size()) + " genomes, counted from 1");
    }
    return static_cast<size_t>(*position) - 1;
  }
  std::optional<size_t> found;
  for (size_t i = 0; i < structures.size(); ++i) {
    if (structures[i].name != item) continue;
    if (found) {
      fail("genomes " + std::to_string(*found + 1) + " and " + std::to_string(i + 1) +
           " are both named " + quoted(item) + "; give the genome's number instead");
    }
    found = i;
  }
  if (!found) fail("no genome is named " + quoted(item));
  return *found;
}

}  // namespace

PairChoice parsePairChoice(std::string_view value) {
  const size_t comma = value.find(',');
  if (comma == std::string_view::npos || value.find(',', comma + 1) != std::string_view::npos ||
      comma == 0 || comma + 1 == value.size()) {
    throw std::invalid_argument("'" + std::string(value) +
                                "' is not two genomes A,B (names or numbers counted from 1)");
  }
  return {std::string(value.substr(0, comma)), std::string(value.substr(comma + 1))};
}

std::pair<size_t, size_t> findPair(const std::vector<Structure>& structures,
                                   const PairChoice& choice, std::string_view sourceName) {
  const auto fail = [&](const std::string& reason) {
    throw std::runtime_error(std::string(sourceName) + ": --pair " + quoted(choice.first + "," +
                             choice.second) + ": " + reason);
  };
  const size_t first = findGenome(structures, choice.first, fail);
  const size_t second = findGenome(structures, choice.second, fail);
  if (first == second) {
    fail("both name " + genomeLabel(structures, first) + "; two different genomes are compared");
  }
  return {first, second};
}

}  // namespace paralog
