#include <iostream>

#include "ilp/generators.h"

namespace paralog {

// Placeholder until the U family is built: keeps its place in the run.
void generateUVariables(IlpTask&, const Structure&, const Structure&, VariablesStorage&) {
  std::cout << "Calculating U variables\n";
}

}  // namespace paralog
