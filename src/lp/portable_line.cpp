#include "lp/portable_line.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "common/decimal.h"

namespace paralog {
namespace {

struct Term {
  std::string_view text;  // the term's bytes: sign, coefficient, name
  std::string_view name;
  int64_t coefficient = 0;
};

bool isDigits(std::string_view token) {
  if (token.empty()) return false;
  for (char c : token) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Parses "sign [coefficient] name" terms separated by single blanks; false
// for anything else.
bool parseTerms(std::string_view text, std::vector<Term>& terms) {
  size_t position = 0;
  auto nextToken = [&](std::string_view& token) {
    if (position >= text.size()) return false;
    const size_t end = std::min(text.find(' ', position), text.size());
    token = text.substr(position, end - position);
    position = end + 1;
    return !token.empty();
  };
  while (position < text.size()) {
    const size_t start = position;
    std::string_view sign, token;
    if (!nextToken(sign) || (sign != "+" && sign != "-") || !nextToken(token)) return false;
    int64_t magnitude = 1;
    if (isDigits(token)) {
      if (token.size() > 18) return false;
      magnitude = 0;
      for (char c : token) magnitude = magnitude * 10 + (c - '0');
      if (!nextToken(token) || isDigits(token)) return false;
    }
    terms.push_back({text.substr(start, position - 1 - start), token, sign == "-" ? -magnitude : magnitude});
  }
  // A trailing blank would leave an empty token behind.
  return text.empty() || text.back() != ' ';
}

void appendCanonicalTerm(int64_t coefficient, std::string_view name, std::string& out) {
  out.append(coefficient < 0 ? "- " : "+ ");
  const uint64_t magnitude =
      coefficient < 0 ? 0 - static_cast<uint64_t>(coefficient) : static_cast<uint64_t>(coefficient);
  if (magnitude != 1) {
    appendUnsignedDecimal(out, magnitude);
    out.push_back(' ');
  }
  out.append(name);
}

}  // namespace

void appendMergedObjective(std::string_view objective, std::string& out) {
  std::vector<Term> terms;
  if (objective.empty() || objective.front() != '\t' ||
      !parseTerms(objective.substr(1), terms)) {
    out.append(objective);
    return;
  }
  // For each name: the index of its first term, which carries the sum.
  std::unordered_map<std::string_view, size_t> first;
  std::vector<size_t> mergedInto(terms.size());
  std::vector<int64_t> sums(terms.size(), 0);
  std::vector<bool> repeated(terms.size(), false);
  bool anyRepeated = false;
  for (size_t i = 0; i < terms.size(); ++i) {
    const auto [it, inserted] = first.emplace(terms[i].name, i);
    mergedInto[i] = it->second;
    if (!inserted) repeated[it->second] = anyRepeated = true;
    if (__builtin_add_overflow(sums[it->second], terms[i].coefficient, &sums[it->second])) {
      out.append(objective);
      return;
    }
  }
  if (!anyRepeated) {
    out.append(objective);
    return;
  }
  out.push_back('\t');
  bool firstTerm = true;
  for (size_t i = 0; i < terms.size(); ++i) {
    if (mergedInto[i] != i) continue;
    if (!firstTerm) out.push_back(' ');
    firstTerm = false;
    if (repeated[i]) {
      appendCanonicalTerm(sums[i], terms[i].name, out);
    } else {
      out.append(terms[i].text);
    }
  }
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
