#include <iostream>

#include "ilp/generators.h"

namespace paralog {

// Placeholder until the R family is built: keeps its place in the run.
void generateRVariables(IlpTask&, const Structure&, const Structure&, VariablesStorage&) {
  std::cout << "Calculating R variables\n";
}

}  // namespace paralog
