#include "lp/portable_line.h"

#include <unordered_map>

namespace paralog {

std::vector<MergedTerm> mergeRepeatedTerms(const TermList& terms) {
  std::vector<MergedTerm> merged;
  merged.reserve(terms.size());
  // For each name: the index of its merged term.
  std::unordered_map<std::string_view, size_t> position;
  for (const Term& term : terms) {
    const auto [it, inserted] = position.emplace(term.name, merged.size());
    if (inserted) {
      merged.push_back({term.name, term.coefficient});
    } else {
      merged[it->second].coefficient += term.coefficient;
    }
  }
  return merged;
}

void appendWrappedLine(std::string_view line, std::string& out) {
  if (line.size() <= kPortableLineLimit) {
    out.append(line).push_back('\n');
    return;
  }
  // Break points: blanks in front of a sign token, before the relation.
  std::vector<size_t> breaks;
  for (size_t i = 1; i + 2 < line.size(); ++i) {
    const char c = line[i];
    if (c == '<' || c == '>' || c == '=') break;
    if (c == ' ' && (line[i + 1] == '+' || line[i + 1] == '-') && line[i + 2] == ' ') {
      breaks.push_back(i);
    }
  }
  size_t start = 0;
  size_t indent = 0;  // the continuation line's tab
  size_t next = 0;
  while (indent + (line.size() - start) > kPortableLineLimit && next < breaks.size()) {
    size_t cut = std::string_view::npos;
    while (next < breaks.size() && indent + (breaks[next] - start) <= kPortableLineLimit) {
      cut = breaks[next++];
    }
    if (cut == std::string_view::npos) cut = breaks[next++];
    out.append(line.substr(start, cut - start)).append("\n\t");
    start = cut + 1;
    indent = 1;
  }
  out.append(line.substr(start)).push_back('\n');
}

}  // namespace paralog
