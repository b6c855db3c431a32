#ifndef PARALOG_SOLUTION_FILES_SOLUTION_READERS_H
#define PARALOG_SOLUTION_FILES_SOLUTION_READERS_H

// The readers of each solver's solution layout, and what they share; used
// by parseSolutionFile, which picks one by the content.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/linear_program.h"
#include "solution_files/solution_file.h"

namespace paralog::solution_readers {

/// The lines of `text` without their line ends ("\r\n" too).
std::vector<std::string_view> splitLines(std::string_view text);
/// The words of `line`, split at runs of blanks and tabs.
std::vector<std::string_view> splitWords(std::string_view line);
/// `text` without leading and trailing white space.
std::string_view trim(std::string_view text);
/// The number `text` holds in full (decimal or exponent notation), else nothing.
std::optional<double> parseNumber(std::string_view text);
/// Throws std::runtime_error("<source>: <what>").
[[noreturn]] void fail(const std::string& source, const std::string& what);
/// A number for a line of the file; throws naming `source` and `lineNumber` otherwise.
double numberOrFail(std::string_view text, const std::string& source, size_t lineNumber);

/// One phrase of a solver's status line and what it means: it matches when
/// the status is `text` (kWhole), starts with it (kStart) or holds it
/// (kAnywhere), unless the status also holds `unless` (when not empty).
struct StatusPhrase {
  enum class Where { kWhole, kStart, kAnywhere };
  std::string_view text;
  Where where;
  SolutionStatus status;
  std::string_view unless = {};
};

/// The status of the first of `phrases` that matches `status`; kFeasible
/// when none does.
SolutionStatus statusOf(std::string_view status, std::initializer_list<StatusPhrase> phrases);

// Each reader takes the whole text of a file of its layout.
SolutionFileContent readCbcSolution(std::string_view text, const std::string& source);
SolutionFileContent readHighsSolution(std::string_view text, const std::string& source);
SolutionFileContent readGurobiSolution(std::string_view text, const std::string& source);
SolutionFileContent readCplexSolution(std::string_view text, const std::string& source);
SolutionFileContent readScipSolution(std::string_view text, const std::string& source);
SolutionFileContent readGlpkSolution(std::string_view text, const LinearProgram& program,
                                     const std::string& source);

}  // namespace paralog::solution_readers

#endif  // PARALOG_SOLUTION_FILES_SOLUTION_READERS_H
