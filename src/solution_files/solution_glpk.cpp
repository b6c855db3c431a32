#include "solution_files/solution_readers.h"

#include "genome/quoted.h"

namespace paralog::solution_readers {
namespace {

SolutionStatus glpkStatus(std::string_view status, const std::string& source) {
  if (status == "o") return SolutionStatus::kOptimal;
  if (status == "f") return SolutionStatus::kFeasible;
  if (status == "n") return SolutionStatus::kInfeasible;
  if (status == "u") return SolutionStatus::kInfeasible;
  fail(source, "unknown GLPK solution status " + quoted(status));
}

}  // namespace

// "c" comment lines, "s mip ROWS COLS STATUS OBJECTIVE", "i ROW VALUE" per
// row, "j COL VALUE" per column, "e o f". Columns are numbered in the order
// GLPK met the variables in the LP file, the order of the program's indices.
SolutionFileContent readGlpkSolution(std::string_view text, const LinearProgram& program,
                                     const std::string& source) {
  const std::vector<std::string_view> lines = splitLines(text);
  SolutionFileContent content;
  content.format = "GLPK";
  content.listsEveryVariable = true;
  bool sawSolution = false;
  const auto& variables = program.variables();
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::string_view> words = splitWords(lines[i]);
    if (words.empty() || words[0] == "c" || words[0] == "i" || words[0] == "e") continue;
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (words[0] == "s") {
      if (words.size() != 6 || words[1] != "mip") {
        fail(source, where + "not the solution of a MIP (\"s mip ROWS COLS STATUS OBJECTIVE\")");
      }
      const double rows = numberOrFail(words[2], source, i + 1);
      const double columns = numberOrFail(words[3], source, i + 1);
      if (rows != static_cast<double>(program.rows().size()) ||
          columns != static_cast<double>(variables.size())) {
        // Both are numbers (read above); a long spelling of one is cut.
        fail(source, where + "the solution has " + std::string(words[2].substr(0, 30)) +
                         " rows and " + std::string(words[3].substr(0, 30)) + " columns, the program " +
                         std::to_string(program.rows().size()) + " rows and " +
                         std::to_string(variables.size()) + " variables");
      }
      content.status = glpkStatus(words[4], source);
      if (content.status == SolutionStatus::kInfeasible) {
        content.listsEveryVariable = false;
        return content;
      }
      content.objective = numberOrFail(words[5], source, i + 1);
      sawSolution = true;
    } else if (words[0] == "j" && words.size() == 3 && sawSolution) {
      const double column = numberOrFail(words[1], source, i + 1);
      if (column < 1 || column > static_cast<double>(variables.size()) ||
          column != static_cast<double>(static_cast<size_t>(column))) {
        fail(source, where + "no column " + quoted(words[1]));
      }
      content.valueLines.push_back(i + 1);
      content.values.emplace_back(variables[static_cast<size_t>(column) - 1].name,
                                  numberOrFail(words[2], source, i + 1));
    } else {
      fail(source, where + "not a line of a GLPK MIP solution");
    }
  }
  if (!sawSolution) fail(source, "no \"s mip\" line");
  return content;
}

}  // namespace paralog::solution_readers
