#ifndef PARALOG_SOLVE_MODEL_SOLUTION_H
#define PARALOG_SOLVE_MODEL_SOLUTION_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compact/compact_solve.h"
#include "compact/written_model.h"
#include "solution_files/solution_file.h"
#include "solver/solution.h"

namespace paralog {

/// A solver's solution of the compact model's file (--write-model) after
/// its values passed every row, bound and declaration of the model: the
/// matching its candidate-pair columns hold, and what the file says of it.
/// `matching` views gene names of the model's structures.
struct ModelSolution {
  std::string format;  ///< the solver's layout, as SolutionFileContent names it
  SolutionStatus status = SolutionStatus::kFeasible;  ///< as the file states it
  std::optional<double> objective;  ///< the file's, equal to its values'; none without a solution
  std::vector<compact::CompactSolveResult::MatchedPair> matching;
};

/// The content of `text` when it is a solution of `model` rather than of
/// the LP file: a GLPK raw file whose row and column counts are the
/// model's, or a file of another layout whose first listed variable is
/// named as a column of the compact model (compact/model_names.h). Nothing
/// otherwise, also for a file that lists no variable. Throws
/// std::runtime_error (messages start with `source` + ": ") for a file of
/// no known layout or with a malformed line.
std::optional<SolutionFileContent> modelSolutionContent(std::string_view text, const compact::WrittenModel& model,
                                                        const std::string& source);

/// Matches `content` with the model's columns and checks the values
/// against every row, bound and integrality declaration of the model
/// (within kSolutionTolerance) and the file's objective against them.
/// Throws std::runtime_error, starting with `source` + ": ", that names
/// the first broken row by its number in the file's "Subject To" section
/// and its text, or the two objectives, or a name the model lacks.
ModelSolution checkModelSolution(const SolutionFileContent& content, const compact::WrittenModel& model,
                                 const std::string& source);

}  // namespace paralog

#endif  // PARALOG_SOLVE_MODEL_SOLUTION_H
