#include <iostream>

#include "ilp/generators.h"

namespace paralog {

// Placeholder until the T family is built: keeps its place in the run.
void generateTVariables(IlpTask&, const Structure&, const Structure&, VariablesStorage&) {
  std::cout << "Calculating T variables\n";
}

}  // namespace paralog
