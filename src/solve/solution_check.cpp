#include "solve/solution_check.h"

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

bool rowHolds(RowRelation relation, double activity, double rhs) {
  switch (relation) {
    case RowRelation::kLessEqual:
      return activity <= rhs + kSolutionTolerance;
    case RowRelation::kGreaterEqual:
      return activity >= rhs - kSolutionTolerance;
    case RowRelation::kEqual:
      break;
  }
  return std::fabs(activity - rhs) <= kSolutionTolerance;
}

void checkVariable(const ProgramVariable& variable, double value, Breaks& breaks) {
  const std::string is = " (" + variable.name + " is " + formatNumber(value) + ")";
  if (value < variable.lower - kSolutionTolerance) {
    breaks.add(variable.lowerText.empty()
                   ? "the default lower bound \"" + variable.name + " >= 0\"" + is
                   : "\"" + variable.lowerText + "\"" + is);
  } else if (value > variable.upper + kSolutionTolerance) {
    breaks.add(variable.upperText.empty() ? "\"" + variable.name + "\" declared binary" + is
                                          : "\"" + variable.upperText + "\"" + is);
  } else if (variable.kind != ProgramVariableKind::kContinuous &&
             std::fabs(value - std::round(value)) > kSolutionTolerance) {
    breaks.add("\"" + variable.name + "\" declared " +
               (variable.kind == ProgramVariableKind::kBinary ? "binary" : "general") + is);
  }
}

}  // namespace

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
      breaks.add("\"" + row.text + "\" (its left side is " + formatNumber(activity) + ")");
    }
  }
  for (size_t i = 0; i < program.variables().size(); ++i) {
    checkVariable(program.variables()[i], values[i], breaks);
  }
  if (breaks.count > 0) {
    throw std::runtime_error(source + ": the solution breaks " + std::to_string(breaks.count) +
                             (breaks.count == 1 ? " constraint" : " constraints") +
                             " of the program; the first: " + breaks.first);
  }
  const double recomputed = objectiveAt(program, values);
  if (std::fabs(recomputed - reportedObjective) >
      kSolutionTolerance * std::fmax(1.0, std::fabs(reportedObjective))) {
    throw std::runtime_error(source + ": the solution reports the objective " +
                             formatNumber(reportedObjective) + ", but its values give " +
                             formatNumber(recomputed));
  }
}

void roundValues(std::vector<double>& values) {
  for (double& value : values) value = std::round(value) + 0.0;
}

}  // namespace paralog
