#include "lp/row.h"

#include <algorithm>
#include <stdexcept>

#include "common/decimal.h"

namespace paralog {

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

void makeCanonical(TermList& terms) {
  bool canonical = true;
  for (size_t i = 0; i < terms.size() && canonical; ++i) {
    canonical = terms[i].coefficient != 0 && (i == 0 || terms[i - 1].name < terms[i].name);
  }
  if (canonical) return;
  std::sort(terms.begin(), terms.end(),
            [](const Term& a, const Term& b) { return a.name < b.name; });
  size_t kept = 0;
  for (size_t i = 0; i < terms.size();) {
    int64_t sum = 0;
    size_t j = i;
    for (; j < terms.size() && terms[j].name == terms[i].name; ++j) sum += terms[j].coefficient;
    if (sum > INT32_MAX || sum < INT32_MIN) {
      throw std::runtime_error("Provided expression is invalid inequality");
    }
    if (sum != 0) terms[kept++] = Term{terms[i].name, static_cast<int32_t>(sum)};
    i = j;
  }
  terms.resize(kept);
}

void renderRow(const TermList& terms, Relation relation, int32_t rhs, std::string& out) {
  renderExpression(terms, out);
  out += ' ';
  out.append(relationText(relation));
  out += ' ';
  appendDecimal(out, rhs);
}

}  // namespace paralog
