#include "solution_files/solution_readers.h"

namespace paralog::solution_readers {
namespace {

SolutionStatus scipStatus(std::string_view status) {
  using Where = StatusPhrase::Where;
  return statusOf(status, {{"optimal", Where::kAnywhere, SolutionStatus::kOptimal},
                           {"time limit", Where::kAnywhere, SolutionStatus::kTimeLimit},
                           {"interrupt", Where::kAnywhere, SolutionStatus::kInterrupted},
                           {"infeasible", Where::kAnywhere, SolutionStatus::kInfeasible}});
}

}  // namespace

// "solution status: ...", "objective value: X", then "name value (obj:c)"
// for every variable that is not zero.
SolutionFileContent readScipSolution(std::string_view text, const std::string& source) {
  const std::vector<std::string_view> lines = splitLines(text);
  SolutionFileContent content;
  content.format = "SCIP";
  constexpr std::string_view kStatus = "solution status:";
  constexpr std::string_view kObjective = "objective value:";
  content.status = scipStatus(trim(lines.front().substr(kStatus.size())));
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    if (line.rfind(kObjective, 0) == 0) {
      content.objective = numberOrFail(trim(line.substr(kObjective.size())), source, i + 1);
      continue;
    }
    if (line == "no solution available") return content;
    const std::vector<std::string_view> words = splitWords(line);
    if (words.size() < 2 || (words.size() > 2 && words[2].rfind("(obj:", 0) != 0)) {
      fail(source, "line " + std::to_string(i + 1) + ": expected a name and a value");
    }
    content.valueLines.push_back(i + 1);
    content.values.emplace_back(std::string(words[0]), numberOrFail(words[1], source, i + 1));
  }
  return content;
}

}  // namespace paralog::solution_readers
