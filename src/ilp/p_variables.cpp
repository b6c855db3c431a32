#include <iostream>
#include <string>
#include <string_view>

#include "common/decimal.h"
#include "ilp/adjacency.h"
#include "ilp/generators.h"

namespace paralog {

// One p indicator per numbered adjacency, allowed to be 1 only when the
// adjacency's label (bounded above by its number) has reached that number.
void generatePVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  std::cout << "Calculating P variables\n";
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  std::string line;
  for (const auto& [keys, entry] : numbering.entries()) {
    const std::string_view p = storage.pVariable(entry.value.id, keys.first, keys.second);
    const std::string_view u = storage.uVariable(entry.value.id, keys.first, keys.second);
    line.assign(u).append(" - ");
    appendDecimal(line, entry.value.number);
    line.append(" ").append(p).append(" >= 0");
    task.addConstraint("Subject To", line);
  }
}

}  // namespace paralog
