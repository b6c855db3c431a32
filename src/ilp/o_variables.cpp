#include "ilp/generators.h"

namespace paralog {

// Placeholder until the O family is built: keeps its place in the run.
void generateOVariables(IlpTask&, VariablesStorage&, const Structure&, const Structure&,
                        GeneMatchSumBuilder) {}

}  // namespace paralog
