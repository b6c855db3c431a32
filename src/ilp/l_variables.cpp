#include <string>

#include "ilp/generators.h"

namespace paralog {

// Every gene end of the first structure gets an l value bounded by the match
// sum s of its copy (-s <= l <= s) and equal to the end's r value when the
// copy is matched (|l - r| <= 2 - 2 s). Its bounds -1..1 are stated too:
// without them LP readers give l the lower bound 0, so a matched end could
// never take r = -1 and the optimum would move.
void generateLVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  TermList sum;  // the copy's z variables, shared by both its ends
  TermList row;
  std::string key;
  Extremity extremity;  // reused so that no end allocates its own name
  for (const auto& [name, indices] : first.copies) {
    extremity.name.assign(name);
    for (int32_t index : indices) {
      extremity.index = index;
      sum.clear();
      firstGeneMatchSum(name, index, second, storage, 1, sum);
      for (char end : kEndLabels) {
        extremity.end = end;
        key.clear();
        appendExtremityKey(extremity, key);
        const std::string_view l = storage.lVariable(key);
        const std::string_view r = storage.rVariable(first.id, key);
        auto put = [&](Term head, int32_t sumCoefficient, Relation relation, int32_t rhs,
                       const Term* extra) {
          row.assign({head});
          if (extra != nullptr) row.push_back(*extra);
          for (const Term& z : sum) row.emplace_back(z.name, sumCoefficient);
          rows.add(Section::kSubjectTo, row, relation, rhs);
        };
        put(Term{l, 1}, 1, Relation::kGreaterEqual, 0, nullptr);
        put(Term{l, 1}, -1, Relation::kLessEqual, 0, nullptr);
        const Term minusR{r, -1};
        put(Term{l, 1}, 2, Relation::kLessEqual, 2, &minusR);
        const Term minusL{l, -1};
        put(Term{r, 1}, 2, Relation::kLessEqual, 2, &minusL);
        row.clear();
        row.emplace_back(l, 1);
        rows.add(Section::kBounds, row, Relation::kGreaterEqual, -1);
        rows.add(Section::kBounds, row, Relation::kLessEqual, 1);
      }
    }
  }
}

}  // namespace paralog
