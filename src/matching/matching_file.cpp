#include "matching/matching_file.h"

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "genome/gene_name_escape.h"
#include "genome/quoted.h"

namespace paralog {
namespace {

constexpr std::string_view kHeader = "gene\tfirst\tsecond";

/// The fields of one line, split at tabs.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> result;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    result.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return result;
    start = tab + 1;
  }
}

/// A copy index: decimal digits within 32 bits. None for anything else.
std::optional<int32_t> copyIndex(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

const char* genomeWord(int genome) { return genome == 0 ? "first" : "second"; }

}  // namespace

std::vector<CopyPair> parseMatchingFile(std::string_view text, const std::string& sourceName,
                                        const GenomePairGraph& graph, const Structure& first) {
  std::vector<CopyPair> matching;
  // By copy of each genome: the line that matched it, 0 for none yet.
  std::vector<size_t> matchedOn[2] = {std::vector<size_t>(graph.copies(0).size(), 0),
                                      std::vector<size_t>(graph.copies(1).size(), 0)};
  size_t lineNumber = 0;
  while (!text.empty()) {
    const size_t lineEnd = text.find('\n');
    std::string_view line = text.substr(0, lineEnd);
    text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fail = [&](const std::string& what) {
      throw std::runtime_error(sourceName + ":" + std::to_string(lineNumber) + ": " + what);
    };
    if (lineNumber == 1) {
      if (line != kHeader) fail("the header \"gene\\tfirst\\tsecond\" is missing; found " + quoted(line));
      continue;
    }
    const std::vector<std::string_view> row = fields(line);
    if (row.size() != 3 || row[0].empty()) {
      fail("a line holds a gene name, a first and a second copy index, separated by tabs; found " +
           quoted(line));
    }
    std::optional<int32_t> index[2];
    for (int genome = 0; genome < 2; ++genome) {
      if (row[1 + genome] == "-") continue;
      index[genome] = copyIndex(row[1 + genome]);
      if (!index[genome]) {
        fail(std::string("the ") + genomeWord(genome) + " copy index is neither a number nor \"-\": " +
             quoted(row[1 + genome]));
      }
    }
    if (!index[0] || !index[1]) continue;
    const std::string name = first.escapedNames ? escapeGeneName(row[0]) : std::string(row[0]);
    CopyPair pair;
    for (int genome = 0; genome < 2; ++genome) {
      const std::optional<uint32_t> copy = graph.findCopy(genome, name, *index[genome]);
      if (!copy) {
        fail(std::string("the ") + genomeWord(genome) + " genome has no copy " +
             std::to_string(*index[genome]) + " of gene " + quoted(row[0]));
      }
      size_t& earlier = matchedOn[genome][*copy];
      if (earlier != 0) {
        fail("copy " + std::to_string(*index[genome]) + " of gene " + quoted(row[0]) + " in the " +
             genomeWord(genome) + " genome is matched twice (also on line " + std::to_string(earlier) + ")");
      }
      earlier = lineNumber;
      (genome == 0 ? pair.first : pair.second) = *copy;
    }
    matching.push_back(pair);
  }
  if (lineNumber == 0) throw std::runtime_error(sourceName + ": the matching file is empty");
  return matching;
}

}  // namespace paralog
