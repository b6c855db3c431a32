#ifndef PARALOG_MATCHING_ASSIGNMENT_NAMES_H
#define PARALOG_MATCHING_ASSIGNMENT_NAMES_H

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "model/linear_program.h"
#include "matching/genome_pair_graph.h"
#include "matching/matching_evaluator.h"

namespace paralog {

/// Calls `visit` with the name and value of every variable that
/// `assignment` sets to a value other than 0, spelled as the program names
/// it (z, t, u, p, r, l, o). The view is valid only during the call.
void forEachNonZeroVariable(const GenomePairGraph& graph, const MatchingAssignment& assignment,
                            const std::function<void(std::string_view name, int64_t value)>& visit);

/// The values of `assignment` for every variable of `program` (the program
/// of the graph's genome pair), by index; 0 for every name it does not set.
/// Throws std::logic_error when it sets a variable the program lacks.
std::vector<double> programValues(const LinearProgram& program, const GenomePairGraph& graph,
                                  const MatchingAssignment& assignment);

}  // namespace paralog

#endif  // PARALOG_MATCHING_ASSIGNMENT_NAMES_H
