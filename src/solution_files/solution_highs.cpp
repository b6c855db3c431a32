#include "solution_files/solution_readers.h"

namespace paralog::solution_readers {
namespace {

SolutionStatus highsStatus(std::string_view status) {
  using Where = StatusPhrase::Where;
  return statusOf(status, {{"Optimal", Where::kWhole, SolutionStatus::kOptimal},
                           {"Time limit", Where::kStart, SolutionStatus::kTimeLimit},
                           {"nterrupt", Where::kAnywhere, SolutionStatus::kInterrupted},
                           {"nfeasible", Where::kAnywhere, SolutionStatus::kInfeasible}});
}

}  // namespace

// "Model status", the status, "# Primal solution values", "Feasible" (or
// "None"), "Objective X", "# Columns N" and N lines "name value"; later
// blocks (rows, duals, basis) are not needed.
SolutionFileContent readHighsSolution(std::string_view text, const std::string& source) {
  const std::vector<std::string_view> lines = splitLines(text);
  SolutionFileContent content;
  content.format = "HiGHS";
  content.listsEveryVariable = true;
  if (lines.size() < 2) fail(source, "the file ends after \"Model status\"");
  content.status = highsStatus(trim(lines[1]));
  size_t i = 2;
  while (i < lines.size() && trim(lines[i]) != "# Primal solution values") ++i;
  if (i + 1 >= lines.size()) fail(source, "no primal solution values");
  if (trim(lines[i + 1]) == "None") {
    content.listsEveryVariable = false;
    return content;
  }
  for (i += 2; i < lines.size(); ++i) {
    const std::vector<std::string_view> words = splitWords(lines[i]);
    if (words.size() == 2 && words[0] == "Objective") {
      content.objective = numberOrFail(words[1], source, i + 1);
    } else if (words.size() == 3 && words[0] == "#" && words[1] == "Columns") {
      break;
    }
  }
  if (i >= lines.size()) fail(source, "no \"# Columns\" line");
  const double count = numberOrFail(splitWords(lines[i])[2], source, i + 1);
  for (size_t column = 0; column < count; ++column) {
    if (++i >= lines.size()) fail(source, "the file ends inside the column values");
    const std::vector<std::string_view> words = splitWords(lines[i]);
    if (words.size() != 2) fail(source, "line " + std::to_string(i + 1) + ": expected a name and a value");
    content.valueLines.push_back(i + 1);
    content.values.emplace_back(std::string(words[0]), numberOrFail(words[1], source, i + 1));
  }
  return content;
}

}  // namespace paralog::solution_readers
