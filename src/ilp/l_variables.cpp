#include <iostream>
#include <string>
#include <string_view>

#include "ilp/generators.h"

namespace paralog {

// Every gene end of the first structure gets an l value bounded by the match
// sum s of its copy (-s <= l <= s) and equal to the end's r value when the
// copy is matched (|l - r| <= 2 - 2 s). Its bounds -1..1 are stated too:
// without them LP readers give l the lower bound 0, so a matched end could
// never take r = -1 and the optimum would move.
void generateLVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  std::cout << "Calculating L variables\n";
  std::string plusSum;
  std::string minusSum;
  std::string doubledSum;
  std::string key;
  std::string line;
  Extremity extremity;  // reused so that no end allocates its own name
  for (const auto& [name, indices] : first.copies) {
    extremity.name.assign(name);
    for (int32_t index : indices) {
      extremity.index = index;
      // Both ends of a copy share its three match-sum texts.
      plusSum.clear();
      minusSum.clear();
      doubledSum.clear();
      firstGeneMatchSum(name, index, second, storage, true, "", plusSum);
      firstGeneMatchSum(name, index, second, storage, false, "", minusSum);
      firstGeneMatchSum(name, index, second, storage, true, "2", doubledSum);
      for (char end : kEndLabels) {
        extremity.end = end;
        key.clear();
        appendExtremityKey(extremity, key);
        const std::string_view l = storage.lVariable(key);
        line.assign(l).append(" + ").append(plusSum).append(" >= 0");
        task.addConstraint("Subject To", line);
        line.assign(l).append(" - ").append(minusSum).append(" <= 0");
        task.addConstraint("Subject To", line);
        const std::string_view r = storage.rVariable(first.id, key);
        line.assign(l).append(" - ").append(r).append(" + ").append(doubledSum).append(" <= 2");
        task.addConstraint("Subject To", line);
        line.assign(r).append(" - ").append(l).append(" + ").append(doubledSum).append(" <= 2");
        task.addConstraint("Subject To", line);
        line.assign(l).append(" >= -1");
        task.addConstraint("Bounds", line);
        line.assign(l).append(" <= 1");
        task.addConstraint("Bounds", line);
      }
    }
  }
}

}  // namespace paralog
