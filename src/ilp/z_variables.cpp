#include <iostream>

#include "ilp/generators.h"

namespace paralog {

// Placeholder until the Z family is built: keeps its place in the run.
void generateZVariables(IlpTask&, const Structure&, const Structure&, VariablesStorage&) {
  std::cout << "Calculating Z variables\n";
}

}  // namespace paralog
