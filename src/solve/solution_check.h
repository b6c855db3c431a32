#ifndef PARALOG_SOLVE_SOLUTION_CHECK_H
#define PARALOG_SOLVE_SOLUTION_CHECK_H

#include <string>
#include <vector>

#include "model/linear_program.h"

namespace paralog {

/// How far a value may stray from what the program requires: from a row's
/// right-hand side, a bound, or the nearest integer.
inline constexpr double kSolutionTolerance = 1e-6;

/// The objective of `program` at `values` (one per variable, by index).
double objectiveAt(const LinearProgram& program, const std::vector<double>& values);

/// Checks `values` (one per variable of `program`, by index) against every
/// row, every bound and every integrality declaration, within
/// kSolutionTolerance, and the objective recomputed from them against
/// `reportedObjective`. Throws std::runtime_error whose message starts with
/// `source` + ": " and gives either the number of broken requirements and
/// the first of them as it stands in the LP file, or both objective values.
void requireValidSolution(const LinearProgram& program, const std::vector<double>& values,
                          double reportedObjective, const std::string& source);

/// Rounds every value to the nearest integer (values that passed
/// requireValidSolution are within the tolerance of one).
void roundValues(std::vector<double>& values);

/// A number for messages and the summary: an integer without decimals,
/// anything else with up to 10 significant digits.
std::string formatNumber(double value);

}  // namespace paralog

#endif  // PARALOG_SOLVE_SOLUTION_CHECK_H
