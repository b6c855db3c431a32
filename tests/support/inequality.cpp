#include "support/inequality.h"

#include <map>
#include <stdexcept>

#include "common/decimal.h"
#include "common/to_int.h"

namespace paralog {
namespace {

[[noreturn]] void invalidInequality() {
  throw std::runtime_error("Provided expression is invalid inequality");
}

int32_t checkedInt32(int64_t value) {
  if (value > INT32_MAX || value < INT32_MIN) invalidInequality();
  return static_cast<int32_t>(value);
}

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

void parseExpression(std::string_view text, TermList& terms) {
  // Sums are taken in 64 bits so that a long line cannot overflow silently.
  std::map<std::string_view, int64_t> sums;
  // A left side that does not begin with a sign reads as if "+ " stood in
  // front of it; starting with a pending +1 has the same effect.
  int64_t pending = 1;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view token = text.substr(start, end - start);
    start = end + 1;
    if (token.empty()) continue;
    if (token[0] == '+' || token[0] == '-') {
      pending = token[0] == '+' ? 1 : -1;
    } else if (token[0] >= 'a' && token[0] <= 'z') {
      sums[token] += pending;
    } else {
      const std::optional<int32_t> factor = toInt(token);
      if (!factor) invalidInequality();
      pending = checkedInt32(pending * *factor);
    }
  }
  terms.clear();
  for (const auto& [name, sum] : sums) {
    if (sum != 0) terms.emplace_back(name, checkedInt32(sum));
  }
}

TermList parseExpression(std::string_view text) {
  TermList terms;
  parseExpression(text, terms);
  return terms;
}

void parseInequality(std::string_view text, Inequality& out) {
  parseExpression(splitInequality(text, out), out.terms);
}

Inequality parseInequality(std::string_view text) {
  Inequality inequality;
  parseInequality(text, inequality);
  return inequality;
}

void renderExpression(const TermList& terms, std::string& out) {
  for (const Term& term : terms) {
    if (&term != &terms.front()) {
      out.append(term.coefficient < 0 ? " - " : " + ");
    } else if (term.coefficient < 0) {
      out.append("- ");
    }
    const int64_t magnitude = term.coefficient < 0 ? -int64_t{term.coefficient} : term.coefficient;
    if (magnitude != 1) {
      appendDecimal(out, magnitude);
      out += ' ';
    }
    out.append(term.name);
  }
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
