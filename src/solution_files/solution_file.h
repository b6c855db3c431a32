#ifndef PARALOG_SOLUTION_FILES_SOLUTION_FILE_H
#define PARALOG_SOLUTION_FILES_SOLUTION_FILE_H

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/linear_program.h"
#include "solver/solution.h"

namespace paralog {

/// What a solver's solution file says, before it is matched with a program.
struct SolutionFileContent {
  std::string format;  ///< "CBC", "HiGHS", "Gurobi", "CPLEX", "SCIP" or "GLPK"
  SolutionStatus status = SolutionStatus::kFeasible;
  std::optional<double> objective;  ///< as the file reports it
  /// Variable names and values as listed (no values when the solver found no solution).
  std::vector<std::pair<std::string, double>> values;
  /// The line of each entry of `values`, counted from 1 (0 where unknown).
  std::vector<size_t> valueLines;
  /// True for formats that list every variable; the others leave out zeros.
  bool listsEveryVariable = false;
};

/// Recognises the solution layout of CBC ("solu"), HiGHS ("--solution_file"),
/// Gurobi (".sol"), CPLEX (XML ".sol"), SCIP ("write solution") or GLPK (raw
/// "-w" of a MIP) from the content of `text`, and reads it. GLPK numbers
/// columns instead of naming them: they are mapped to the variables of
/// `program` by index, so `program` must be the one GLPK read. Throws
/// std::runtime_error, with messages starting with `source` + ": ", for
/// text of no known layout or a malformed line.
SolutionFileContent parseSolutionFile(std::string_view text, const LinearProgram& program,
                                      const std::string& source);

/// The row and column counts that the "s mip ROWS COLS ..." line of a
/// GLPK raw solution states; nothing when `text` is not in GLPK's layout or
/// lacks a well-formed such line (parseSolutionFile then says why).
struct GlpkSize {
  double rows = 0;
  double columns = 0;
};
std::optional<GlpkSize> glpkSolutionSize(std::string_view text);

/// Matches the file's values with the variables of `program`: unlisted
/// variables are 0 where the format leaves out zeros. Throws
/// std::runtime_error (messages start with `source` + ": ") for a name the
/// program lacks, a variable the file lacks although its format lists every
/// one, a variable listed twice, or values without a reported objective.
Solution solutionFromFile(const SolutionFileContent& content, const LinearProgram& program,
                          const std::string& source);

}  // namespace paralog

#endif  // PARALOG_SOLUTION_FILES_SOLUTION_FILE_H
