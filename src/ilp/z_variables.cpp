#include <iostream>
#include <string>

#include "ilp/generators.h"

namespace paralog {
namespace {

// For every copy of `own` whose gene also occurs in `other`, in the key
// order of own.copies and then list order (a repeated copy repeats its
// line): the sum of the copy's z variables is at most 1.
void boundMatchesOfEachCopy(IlpTask& task, const Structure& own, const Structure& other,
                            GeneMatchSumBuilder matchSum, VariablesStorage& storage,
                            std::string& line) {
  for (const auto& [name, indices] : own.copies) {
    if (other.copies.find(name) == other.copies.end()) continue;
    for (int32_t index : indices) {
      line.clear();
      matchSum(name, index, other, storage, true, {}, line);
      line.append(" <= 1");
      task.addConstraint("Subject To", line);
    }
  }
}

}  // namespace

void generateZVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  std::cout << "Calculating Z variables\n";
  std::string line;
  boundMatchesOfEachCopy(task, first, second, firstGeneMatchSum, storage, line);
  boundMatchesOfEachCopy(task, second, first, secondGeneMatchSum, storage, line);
}

}  // namespace paralog
