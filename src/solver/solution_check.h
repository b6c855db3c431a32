#ifndef PARALOG_SOLVER_SOLUTION_CHECK_H
#define PARALOG_SOLVER_SOLUTION_CHECK_H

#include <cstdint>
#include <string>
#include <string_view>
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

/// The rules the check applies, shared with the check of a program streamed
/// row by row (StreamedSolutionCheck), so that both judge and word alike.
///
/// True when a row's left side `activity` meets `relation` and `rhs`.
bool rowHolds(Relation relation, double activity, double rhs);
/// A broken row: "\"<text>\" (its left side is <activity>)".
std::string rowBreak(std::string_view text, double activity);
/// A broken bound line: "\"<text>\" (<name> is <value>)".
std::string boundBreak(std::string_view text, std::string_view name, double value);
/// What `value` breaks of `variable`'s range and declaration, the lower
/// bound first, then the upper, then integrality; empty when nothing.
std::string variableBreak(const ProgramVariable& variable, double value);
/// "<source>: the solution breaks <count> constraint(s) of the program;
/// the first: <first>".
std::string brokenSolutionMessage(const std::string& source, uint64_t count,
                                  const std::string& first);
/// Throws std::runtime_error when `recomputed` and `reported` differ by
/// more than the tolerance (relative to the reported value).
void requireReportedObjective(double recomputed, double reported, const std::string& source);

/// Rounds every value to the nearest integer (values that passed
/// requireValidSolution are within the tolerance of one).
void roundValues(std::vector<double>& values);

/// A number for messages and the summary: an integer without decimals,
/// anything else with up to 10 significant digits.
std::string formatNumber(double value);

}  // namespace paralog

#endif  // PARALOG_SOLVER_SOLUTION_CHECK_H
