#include "solve/model_solution.h"

#include <cmath>
#include <stdexcept>

#include "compact/model_names.h"
#include "model/program_lp_file.h"
#include "solver/solution_check.h"

namespace paralog {
namespace {

// Throws naming the first of the rows, bounds and declarations of the
// model that `values` break, and how many they break.
void requireModelRows(const LinearProgram& program, const std::vector<double>& values, const std::string& source) {
  size_t count = 0;
  std::string first;
  for (size_t r = 0; r < program.rows().size(); ++r) {
    const ProgramRow& row = program.rows()[r];
    double activity = 0;
    for (const auto& [index, coefficient] : row.terms) activity += coefficient * values[index];
    if (!rowHolds(row.relation, activity, row.rhs) && count++ == 0) {
      first = "row " + std::to_string(r + 1) + ", " + rowBreak(rowLine(program, row), activity);
    }
  }
  for (size_t i = 0; i < program.variables().size(); ++i) {
    const std::string broken = variableBreak(program.variables()[i], values[i]);
    if (!broken.empty() && count++ == 0) first = broken;
  }
  if (count > 0) {
    throw std::runtime_error(source + ": the solution breaks " + std::to_string(count) +
                             (count == 1 ? " constraint" : " constraints") + " of the compact model; the first: " +
                             first);
  }
}

}  // namespace

std::optional<SolutionFileContent> modelSolutionContent(std::string_view text, const compact::WrittenModel& model,
                                                        const std::string& source) {
  if (const std::optional<GlpkSize> size = glpkSolutionSize(text)) {
    const bool fits = size->rows == static_cast<double>(model.program.rows().size()) &&
                      size->columns == static_cast<double>(model.program.variables().size());
    if (!fits) return std::nullopt;
    return parseSolutionFile(text, model.program, source);
  }
  SolutionFileContent content = parseSolutionFile(text, model.program, source);
  if (content.values.empty() || !compact::isCompactModelName(content.values.front().first)) return std::nullopt;
  return content;
}

ModelSolution checkModelSolution(const SolutionFileContent& content, const compact::WrittenModel& model,
                                 const std::string& source) {
  const Solution solution = solutionFromFile(content, model.program, source);
  ModelSolution checked;
  checked.format = content.format;
  checked.status = content.status;
  if (!solution.objective) return checked;
  requireModelRows(model.program, solution.values, source);
  requireReportedObjective(objectiveAt(model.program, solution.values), *solution.objective, source);
  checked.objective = solution.objective;
  checked.matching = compact::matchedPairsOf(model, solution.values);
  return checked;
}

}  // namespace paralog
