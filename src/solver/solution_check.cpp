#include "solver/solution_check.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace paralog {
namespace {

// Collects what a solution breaks, keeping the first description only.
struct Breaks {
  size_t count = 0;
  std::string first;
  void add(const std::string& description) {
    if (count++ == 0) first = description;
  }
};

}  // namespace

bool rowHolds(Relation relation, double activity, double rhs) {
  switch (relation) {
    case Relation::kLessEqual:
      return activity <= rhs + kSolutionTolerance;
    case Relation::kGreaterEqual:
      return activity >= rhs - kSolutionTolerance;
    case Relation::kEqual:
      break;
  }
  return std::fabs(activity - rhs) <= kSolutionTolerance;
}

std::string rowBreak(std::string_view text, double activity) {
  return "\"" + std::string(text) + "\" (its left side is " + formatNumber(activity) + ")";
}

std::string boundBreak(std::string_view text, std::string_view name, double value) {
  return "\"" + std::string(text) + "\" (" + std::string(name) + " is " + formatNumber(value) +
         ")";
}

std::string variableBreak(const ProgramVariable& variable, double value) {
  const std::string is = " (" + variable.name + " is " + formatNumber(value) + ")";
  if (value < variable.lower - kSolutionTolerance) {
    return variable.lowerText.empty()
               ? "the default lower bound \"" + variable.name + " >= 0\"" + is
               : boundBreak(variable.lowerText, variable.name, value);
  }
  if (value > variable.upper + kSolutionTolerance) {
    return variable.upperText.empty() ? "\"" + variable.name + "\" declared binary" + is
                                      : boundBreak(variable.upperText, variable.name, value);
  }
  if (variable.kind != VariableKind::kContinuous &&
      std::fabs(value - std::round(value)) > kSolutionTolerance) {
    return "\"" + variable.name + "\" declared " +
           (variable.kind == VariableKind::kBinary ? "binary" : "general") + is;
  }
  return "";
}

std::string brokenSolutionMessage(const std::string& source, uint64_t count,
                                  const std::string& first) {
  return source + ": the solution breaks " + std::to_string(count) +
         (count == 1 ? " constraint" : " constraints") + " of the program; the first: " + first;
}

void requireReportedObjective(double recomputed, double reported, const std::string& source) {
  if (std::fabs(recomputed - reported) > kSolutionTolerance * std::fmax(1.0, std::fabs(reported))) {
    throw std::runtime_error(source + ": the solution reports the objective " +
                             formatNumber(reported) + ", but its values give " +
                             formatNumber(recomputed));
  }
}

std::string formatNumber(double value) {
  if (std::fabs(value - std::round(value)) <= kSolutionTolerance && std::fabs(value) < 1e15) {
    const double rounded = std::round(value);
    return std::to_string(static_cast<long long>(rounded == 0 ? 0 : rounded));
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

double objectiveAt(const LinearProgram& program, const std::vector<double>& values) {
  double sum = 0;
  for (size_t i = 0; i < program.variables().size(); ++i) {
    sum += program.variables()[i].objective * values[i];
  }
  return sum;
}

void requireValidSolution(const LinearProgram& program, const std::vector<double>& values,
                          double reportedObjective, const std::string& source) {
  Breaks breaks;
  for (const ProgramRow& row : program.rows()) {
    double activity = 0;
    for (const auto& [index, coefficient] : row.terms) activity += coefficient * values[index];
    if (!rowHolds(row.relation, activity, row.rhs)) {
      breaks.add(rowBreak(rowText(program, row), activity));
    }
  }
  for (size_t i = 0; i < program.variables().size(); ++i) {
    const std::string broken = variableBreak(program.variables()[i], values[i]);
    if (!broken.empty()) breaks.add(broken);
  }
  if (breaks.count > 0) {
    throw std::runtime_error(brokenSolutionMessage(source, breaks.count, breaks.first));
  }
  requireReportedObjective(objectiveAt(program, values), reportedObjective, source);
}

void roundValues(std::vector<double>& values) {
  for (double& value : values) value = std::round(value) + 0.0;
}

}  // namespace paralog
