#include "lp/row.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>

namespace paralog {
namespace {

// Byte order of two names, inline: names are short and share long prefixes,
// and this comparison is the heart of keeping every row in order.
int compareNames(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  const auto* p = reinterpret_cast<const unsigned char*>(a.data());
  const auto* q = reinterpret_cast<const unsigned char*>(b.data());
  for (size_t i = 0; i < n; ++i) {
    if (p[i] != q[i]) return p[i] < q[i] ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Copies a name of any length; the short ones, nearly all of them, with two
// overlapping fixed-size moves inline instead of a call to memcpy, which
// costs more than the copy itself for names of 10 to 30 bytes. Reads and
// writes only [in, in + n) and [out, out + n).
inline char* appendName(char* out, const char* in, size_t n) {
  if (n >= 16 && n <= 32) {
    std::memcpy(out, in, 16);
    std::memcpy(out + n - 16, in + n - 16, 16);
  } else if (n >= 8 && n < 16) {
    std::memcpy(out, in, 8);
    std::memcpy(out + n - 8, in + n - 8, 8);
  } else {
    std::memcpy(out, in, n);
  }
  return out + n;
}

}  // namespace

std::string_view sectionName(Section section) {
  return section == Section::kSubjectTo ? "Subject To" : "Bounds";
}

std::string_view relationText(Relation relation) {
  switch (relation) {
    case Relation::kLessEqual:
      return "<=";
    case Relation::kGreaterEqual:
      return ">=";
    case Relation::kEqual:
      break;
  }
  return "=";
}

bool isCanonical(TermSpan terms) {
  for (const Term& term : terms) {
    if (term.coefficient == 0) return false;
    if (&term != terms.begin() && compareNames((&term - 1)->name, term.name) >= 0) return false;
  }
  return true;
}

Term* makeCanonical(Term* first, Term* last) {
  if (isCanonical(TermSpan(first, static_cast<size_t>(last - first)))) return last;
  std::sort(first, last,
            [](const Term& a, const Term& b) { return compareNames(a.name, b.name) < 0; });
  Term* kept = first;
  for (Term* run = first; run != last;) {
    int64_t sum = 0;
    Term* next = run;
    for (; next != last && compareNames(next->name, run->name) == 0; ++next) {
      sum += next->coefficient;
    }
    if (sum > INT32_MAX || sum < INT32_MIN) {
      throw std::runtime_error("Provided expression is invalid inequality");
    }
    if (sum != 0) *kept++ = Term{run->name, static_cast<int32_t>(sum)};
    run = next;
  }
  return kept;
}

void makeCanonical(TermList& terms) {
  Term* const first = terms.data();
  terms.resize(static_cast<size_t>(makeCanonical(first, first + terms.size()) - first));
}

size_t renderedRowBound(TermSpan terms) {
  size_t bound = 16;  // relation and rhs
  for (const Term& term : terms) bound += term.name.size() + 16;
  return bound;
}

char* renderRow(TermSpan terms, Relation relation, int32_t rhs, char* out) {
  bool firstTerm = true;
  for (const Term& term : terms) {
    const bool negative = term.coefficient < 0;
    if (firstTerm) {
      if (negative) {
        std::memcpy(out, "- ", 2);
        out += 2;
      }
    } else {
      std::memcpy(out, negative ? " - " : " + ", 3);
      out += 3;
    }
    firstTerm = false;
    const int64_t magnitude = negative ? -int64_t{term.coefficient} : term.coefficient;
    if (magnitude != 1) {
      out = std::to_chars(out, out + 12, magnitude).ptr;
      *out++ = ' ';
    }
    out = appendName(out, term.name.data(), term.name.size());
  }
  *out++ = ' ';
  const std::string_view text = relationText(relation);
  std::memcpy(out, text.data(), text.size());
  out += text.size();
  *out++ = ' ';
  return std::to_chars(out, out + 12, rhs).ptr;
}

void renderRow(TermSpan terms, Relation relation, int32_t rhs, std::string& out) {
  const size_t start = out.size();
  out.resize(start + renderedRowBound(terms));
  char* const end = renderRow(terms, relation, rhs, out.data() + start);
  out.resize(static_cast<size_t>(end - out.data()));
}

}  // namespace paralog
