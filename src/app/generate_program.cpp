#include "app/generate_program.h"

#include <iostream>

#include "ilp/gene_match_sum.h"
#include "ilp/generators.h"

namespace paralog {

void generateProgram(IlpTask& task, const Structure& first, const Structure& second,
                     VariablesStorage& storage) {
  generateZVariables(task, first, second, storage);
  generateTVariables(task, first, second, storage);
  generateUVariables(task, first, second, storage);
  generatePVariables(task, first, second, storage);
  generateRVariables(task, first, second, storage);
  generateLVariables(task, first, second, storage);
  std::cout << "Calculating O variables\n" << std::flush;
  generateOVariables(task, storage, first, second, firstGeneMatchSum);
  generateOVariables(task, storage, second, first, secondGeneMatchSum);
}

}  // namespace paralog
