#include <iostream>

#include "ilp/generators.h"

namespace paralog {

// Placeholder until the L family is built: keeps its place in the run.
void generateLVariables(IlpTask&, const Structure&, const Structure&, VariablesStorage&) {
  std::cout << "Calculating L variables\n";
}

}  // namespace paralog
