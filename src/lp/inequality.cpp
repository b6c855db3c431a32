#include "lp/inequality.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>

#include "common/to_int.h"
#include "common/decimal.h"

namespace paralog {
namespace {

[[noreturn]] void invalidInequality() {
  throw std::runtime_error("Provided expression is invalid inequality");
}

int32_t checkedInt32(int64_t value) {
  if (value > INT32_MAX || value < INT32_MIN) invalidInequality();
  return static_cast<int32_t>(value);
}

// Sorts the raw terms by name and merges repeated names, dropping zeros.
// Sums are taken in 64 bits so that a long line cannot overflow silently.
using RawTerms = std::vector<std::pair<std::string_view, int64_t>>;

// Merges neighbours with equal names, checking the order on the way with
// one comparison per neighbour. At the first name out of order it stops and
// returns false, leaving the same terms (some merged) for a sort.
bool mergeNeighbours(RawTerms& raw) {
  size_t merged = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (merged > 0) {
      const int order = raw[i].first.compare(raw[merged - 1].first);
      if (order == 0) {
        raw[merged - 1].second += raw[i].second;
        continue;
      }
      if (order < 0) {
        raw.erase(raw.begin() + static_cast<std::ptrdiff_t>(merged),
                  raw.begin() + static_cast<std::ptrdiff_t>(i));
        return false;
      }
    }
    raw[merged++] = raw[i];
  }
  raw.resize(merged);
  return true;
}

// Sorts the raw terms by name and merges repeated names, dropping zeros.
// Lines written in name order, the common case, are never sorted. Sums are
// taken in 64 bits so that a long line cannot overflow silently.
void sortAndMerge(RawTerms& raw, TermList& terms) {
  if (!mergeNeighbours(raw)) {
    std::sort(raw.begin(), raw.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    mergeNeighbours(raw);
  }
  terms.clear();
  for (const auto& [name, sum] : raw) {
    if (sum != 0) terms.push_back(Term{name, checkedInt32(sum)});
  }
}

// Reads a factor token; plain digits, by far the common case, are read here
// without the general conversion.
int64_t factorValue(std::string_view token) {
  if (token.size() <= 9) {
    int64_t value = 0;
    bool digitsOnly = true;
    for (char c : token) {
      if (c < '0' || c > '9') {
        digitsOnly = false;
        break;
      }
      value = value * 10 + (c - '0');
    }
    if (digitsOnly) return value;
  }
  const std::optional<int32_t> factor = toInt(token);
  if (!factor) invalidInequality();
  return *factor;
}

void parseExpressionInto(std::string_view text, TermList& terms,
                         std::vector<std::pair<std::string_view, int64_t>>& raw) {
  raw.clear();
  // A left side that does not begin with a sign reads as if "+ " stood in
  // front of it; starting with a pending +1 has the same effect.
  int64_t pending = 1;
  const char* cursor = text.data();
  const char* const end = cursor + text.size();
  while (true) {
    // Tokens are short: a plain scan beats a library search per token.
    const char* const start = cursor;
    while (cursor != end && *cursor != ' ') ++cursor;
    const std::string_view token(start, static_cast<size_t>(cursor - start));
    if (!token.empty()) {
      const char first = token.front();
      if (first == '+' || first == '-') {
        pending = first == '+' ? 1 : -1;
      } else if (first >= 'a' && first <= 'z') {
        raw.emplace_back(token, pending);
      } else {
        pending *= factorValue(token);
        if (pending > INT32_MAX || pending < INT32_MIN) invalidInequality();
      }
    }
    if (cursor == end) break;
    ++cursor;
  }
  sortAndMerge(raw, terms);
}

}  // namespace

void parseExpression(std::string_view text, TermList& terms) {
  std::vector<std::pair<std::string_view, int64_t>> raw;
  parseExpressionInto(text, terms, raw);
}

TermList parseExpression(std::string_view text) {
  TermList terms;
  parseExpression(text, terms);
  return terms;
}

namespace {

// Splits "<left> <relation> <rhs>" and checks its shape; returns the left side.
std::string_view splitInequality(std::string_view text, Inequality& out) {
  const size_t p = text.find('=');
  if (p == std::string_view::npos || p == 0) invalidInequality();
  std::string_view left;
  if (text[p - 1] == ' ') {
    out.relation = text.substr(p, 1);
    left = text.substr(0, p - 1);
  } else {
    if (text[p - 1] != '<' && text[p - 1] != '>') invalidInequality();
    if (p < 2 || text[p - 2] != ' ') invalidInequality();
    out.relation = text.substr(p - 1, 2);
    left = text.substr(0, p - 2);
  }
  if (p + 2 > text.size() || text[p + 1] != ' ') invalidInequality();
  const std::optional<int32_t> rhs = toInt(text.substr(p + 2));
  if (!rhs) invalidInequality();
  out.rhs = *rhs;
  return left;
}

}  // namespace

void parseInequality(std::string_view text, Inequality& out) {
  parseExpression(splitInequality(text, out), out.terms);
}

Inequality parseInequality(std::string_view text) {
  Inequality inequality;
  parseInequality(text, inequality);
  return inequality;
}

void renderExpression(const TermList& terms, std::string& out) {
  // Sized once for the longest possible text, then written through a
  // pointer: far cheaper than several small appends per term.
  size_t bound = 0;
  for (const Term& term : terms) bound += term.name.size() + 16;
  const size_t start = out.size();
  out.resize(start + bound);
  char* cursor = out.data() + start;
  bool first = true;
  for (const Term& term : terms) {
    const int64_t coefficient = term.coefficient;
    if (first) {
      if (coefficient < 0) {
        std::memcpy(cursor, "- ", 2);
        cursor += 2;
      }
    } else {
      std::memcpy(cursor, coefficient < 0 ? " - " : " + ", 3);
      cursor += 3;
    }
    first = false;
    const int64_t magnitude = coefficient < 0 ? -coefficient : coefficient;
    if (magnitude != 1) {
      cursor = std::to_chars(cursor, cursor + 12, magnitude).ptr;
      *cursor++ = ' ';
    }
    std::memcpy(cursor, term.name.data(), term.name.size());
    cursor += term.name.size();
  }
  out.resize(static_cast<size_t>(cursor - out.data()));
}

std::string renderExpression(const TermList& terms) {
  std::string out;
  renderExpression(terms, out);
  return out;
}

void renderInequality(const Inequality& inequality, std::string& out) {
  renderExpression(inequality.terms, out);
  out += ' ';
  out.append(inequality.relation);
  out += ' ';
  appendDecimal(out, inequality.rhs);
}

std::string renderInequality(const Inequality& inequality) {
  std::string out;
  renderInequality(inequality, out);
  return out;
}

}  // namespace paralog
