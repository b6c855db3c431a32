#include "ilp/adjacency.h"
#include "ilp/generators.h"

namespace paralog {

// One p indicator per numbered adjacency, allowed to be 1 only when the
// adjacency's label (bounded above by its number) has reached that number.
void generatePVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  TermList row;
  for (const auto& [keys, entry] : numbering.entries()) {
    const std::string_view p = storage.pVariable(entry.value.id, keys.first, keys.second);
    const std::string_view u = storage.uVariable(entry.value.id, keys.first, keys.second);
    row.clear();
    row.emplace_back(u, 1);
    row.emplace_back(p, -entry.value.number);
    rows.add(Section::kSubjectTo, row, Relation::kGreaterEqual, 0);
  }
}

}  // namespace paralog
