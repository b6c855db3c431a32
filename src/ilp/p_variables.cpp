#include <iostream>

#include "ilp/generators.h"

namespace paralog {

// Placeholder until the P family is built: keeps its place in the run.
void generatePVariables(IlpTask&, const Structure&, const Structure&, VariablesStorage&) {
  std::cout << "Calculating P variables\n";
}

}  // namespace paralog
