#include "solution_files/solution_readers.h"

namespace paralog::solution_readers {
namespace {

// The status phrase that starts CBC's first line.
SolutionStatus cbcStatus(std::string_view phrase) {
  using Where = StatusPhrase::Where;
  return statusOf(phrase, {{"Optimal", Where::kStart, SolutionStatus::kOptimal},
                           {"Stopped on time", Where::kStart, SolutionStatus::kTimeLimit},
                           {"Stopped on ctrl-c", Where::kStart, SolutionStatus::kInterrupted},
                           {"nfeasible", Where::kAnywhere, SolutionStatus::kInfeasible}});
}

}  // namespace

// "Optimal - objective value -10.00000000", then "index name value cost"
// for every variable that is not zero.
SolutionFileContent readCbcSolution(std::string_view text, const std::string& source) {
  const std::vector<std::string_view> lines = splitLines(text);
  SolutionFileContent content;
  content.format = "CBC";
  const std::string_view first = trim(lines.front());
  constexpr std::string_view kObjective = "objective value ";
  content.status = cbcStatus(first);
  const size_t at = first.find(kObjective);
  if (content.status == SolutionStatus::kInfeasible) return content;
  if (at == std::string_view::npos) fail(source, "line 1: no objective value");
  content.objective = numberOrFail(trim(first.substr(at + kObjective.size())), source, 1);
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string_view> words = splitWords(lines[i]);
    if (words.empty()) continue;
    // CBC marks values infeasible for their row or bound with "**" in front.
    const size_t shift = words.front() == "**" ? 1 : 0;
    if (words.size() != 4 + shift) {
      fail(source, "line " + std::to_string(i + 1) + ": expected index, name, value and cost");
    }
    content.valueLines.push_back(i + 1);
    content.values.emplace_back(std::string(words[1 + shift]),
                                numberOrFail(words[2 + shift], source, i + 1));
  }
  return content;
}

}  // namespace paralog::solution_readers
