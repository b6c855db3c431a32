#include "solution_files/solution_file.h"

#include <cmath>

#include "genome/quoted.h"
#include "solution_files/solution_readers.h"

namespace paralog {
namespace sr = solution_readers;
namespace {

std::string_view firstLine(std::string_view text) {
  for (const std::string_view line : sr::splitLines(text)) {
    if (!sr::trim(line).empty()) return sr::trim(line);
  }
  return {};
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// GLPK's raw layout: every line starts with a one-letter type and a blank.
bool looksLikeGlpk(std::string_view text) {
  for (const std::string_view line : sr::splitLines(text)) {
    if (line.empty()) continue;
    if ((line.size() > 1 && line[1] != ' ') || std::string_view("csije").find(line[0]) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

bool looksLikeCbc(std::string_view first) {
  return first.find(" - objective value ") != std::string_view::npos ||
         startsWith(first, "Optimal") || startsWith(first, "Stopped on") ||
         startsWith(first, "Infeasible") || startsWith(first, "Integer infeasible");
}

}  // namespace

SolutionFileContent parseSolutionFile(std::string_view text, const LinearProgram& program,
                                      const std::string& source) {
  const std::string_view first = firstLine(text);
  if (first.empty()) sr::fail(source, "the solution file is empty");
  if (first.front() == '<') {
    if (text.find("<CPLEXSolution") == std::string_view::npos) {
      sr::fail(source, "an XML file without a <CPLEXSolution> element");
    }
    return sr::readCplexSolution(text, source);
  }
  if (first == "Model status") return sr::readHighsSolution(sr::trim(text), source);
  if (startsWith(first, "solution status:")) return sr::readScipSolution(sr::trim(text), source);
  if (looksLikeGlpk(text)) return sr::readGlpkSolution(text, program, source);
  if (looksLikeCbc(first)) return sr::readCbcSolution(sr::trim(text), source);
  const std::vector<std::string_view> words = sr::splitWords(first);
  if (first.front() == '#' || (words.size() == 2 && sr::parseNumber(words[1]))) {
    return sr::readGurobiSolution(text, source);
  }
  sr::fail(source, "not a solution file of CBC, HiGHS, Gurobi, CPLEX, SCIP or GLPK");
}

std::optional<GlpkSize> glpkSolutionSize(std::string_view text) {
  if (firstLine(text).empty() || !looksLikeGlpk(text)) return std::nullopt;
  for (const std::string_view line : sr::splitLines(text)) {
    const std::vector<std::string_view> words = sr::splitWords(line);
    if (words.size() != 6 || words[0] != "s" || words[1] != "mip") continue;
    const std::optional<double> rows = sr::parseNumber(words[2]);
    const std::optional<double> columns = sr::parseNumber(words[3]);
    if (rows && columns) return GlpkSize{*rows, *columns};
  }
  return std::nullopt;
}

Solution solutionFromFile(const SolutionFileContent& content, const LinearProgram& program,
                          const std::string& source) {
  Solution solution;
  solution.status = content.status;
  if (content.values.empty() && !content.listsEveryVariable &&
      (content.status == SolutionStatus::kInfeasible || !content.objective)) {
    return solution;  // the solver found no solution
  }
  if (!content.objective) sr::fail(source, "the solution file reports no objective value");
  solution.objective = content.objective;
  const size_t count = program.variables().size();
  solution.values.assign(count, 0.0);
  std::vector<bool> listed(count, false);
  for (size_t entry = 0; entry < content.values.size(); ++entry) {
    const auto& [name, value] = content.values[entry];
    const size_t line = entry < content.valueLines.size() ? content.valueLines[entry] : 0;
    const std::string where = line == 0 ? "" : "line " + std::to_string(line) + ": ";
    const int32_t index = program.find(name);
    if (index < 0) {
      sr::fail(source, where + "the solution names the variable " + quoted(name) +
                           ", which the program lacks");
    }
    if (listed[index]) {
      sr::fail(source, where + "the solution lists the variable " + quoted(name) + " twice");
    }
    listed[index] = true;
    solution.values[index] = value;
  }
  if (content.listsEveryVariable) {
    for (size_t i = 0; i < count; ++i) {
      if (!listed[i]) {
        sr::fail(source, "the solution lacks the variable " + program.variables()[i].name +
                             " of the program");
      }
    }
  }
  return solution;
}

}  // namespace paralog
