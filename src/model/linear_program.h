#ifndef PARALOG_MODEL_LINEAR_PROGRAM_H
#define PARALOG_MODEL_LINEAR_PROGRAM_H

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lp/variable_names.h"
#include "lp/row.h"
#include "lp/variable_kind.h"

namespace paralog {

/// One variable of the program with its range and objective coefficient.
/// A variable without a bound line has the LP default range 0 to +infinity;
/// a binary one 0 to 1.
struct ProgramVariable {
  std::string name;
  VariableKind kind = VariableKind::kContinuous;
  VariableFamily family = VariableFamily::kOther;  ///< as the name is spelled
  double lower = 0;
  double upper = std::numeric_limits<double>::infinity();
  std::string lowerText;  ///< the "Bounds" line that set `lower`, empty for the default
  std::string upperText;  ///< the "Bounds" line that set `upper`, empty for none
  double objective = 0;   ///< the sum of the variable's terms in the objective
};

/// A z variable of the program (by index) and the copy pair it matches.
struct ProgramZVariable {
  int32_t index = 0;
  std::string gene;  ///< as the program spells it
  int32_t first = 0;   ///< copy index in the first structure
  int32_t second = 0;  ///< copy index in the second structure
};

/// One constraint row: a sum of coefficient times variable (by index),
/// compared with a right-hand side.
struct ProgramRow {
  std::vector<std::pair<int32_t, double>> terms;  ///< (variable index, coefficient)
  Relation relation = Relation::kLessEqual;
  double rhs = 0;
};

/// An integer program held in memory, to solve it or to check a solution
/// against it: variables, a minimised objective and constraint rows.
///
/// Variables are numbered from 0 in the order their names first appear in
/// the LP file (objective, then constraints top to bottom, then bounds, then
/// declarations), which is the column order GLPK gives them. Each variable
/// is recorded with its family as it is added, and each z variable with the
/// copy pair it matches, so that a solution is read by index. The object owns
/// all its data; it is not thread-safe for writing but may be read from any
/// number of threads.
class LinearProgram {
 public:
  /// Index of the variable named `name`, adding it as a continuous variable
  /// with default range (and its family and, for z, its copy pair) when it
  /// is new.
  int32_t addVariable(std::string_view name);
  /// Index of `name`, or -1 when the program has no such variable.
  int32_t find(std::string_view name) const;

  std::vector<ProgramVariable>& variables() { return variables_; }
  const std::vector<ProgramVariable>& variables() const { return variables_; }
  std::vector<ProgramRow>& rows() { return rows_; }
  const std::vector<ProgramRow>& rows() const { return rows_; }
  /// The z variables in the order they were added.
  const std::vector<ProgramZVariable>& zVariables() const { return zVariables_; }

 private:
  std::vector<ProgramVariable> variables_;
  std::vector<ProgramRow> rows_;
  std::vector<ProgramZVariable> zVariables_;
  std::unordered_map<std::string, int32_t> indexByName_;
};

/// `row` of `program` as its line stands in the LP file (terms in the
/// row's order, named after the program's variables), for messages.
std::string rowText(const LinearProgram& program, const ProgramRow& row);

}  // namespace paralog

#endif  // PARALOG_MODEL_LINEAR_PROGRAM_H
