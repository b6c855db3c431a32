#include "solution_files/solution_readers.h"

namespace paralog::solution_readers {

// Comment lines start with "#" (one of them "# Objective value = X"), then
// one line "name value" for every variable. The layout carries no status.
SolutionFileContent readGurobiSolution(std::string_view text, const std::string& source) {
  const std::vector<std::string_view> lines = splitLines(text);
  SolutionFileContent content;
  content.format = "Gurobi";
  content.listsEveryVariable = true;
  constexpr std::string_view kObjective = "Objective value";
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    if (line.front() == '#') {
      const size_t at = line.find(kObjective);
      const size_t equals = line.find('=', at);
      if (at != std::string_view::npos && equals != std::string_view::npos) {
        content.objective = numberOrFail(trim(line.substr(equals + 1)), source, i + 1);
      }
      continue;
    }
    const std::vector<std::string_view> words = splitWords(line);
    if (words.size() != 2) fail(source, "line " + std::to_string(i + 1) + ": expected a name and a value");
    content.valueLines.push_back(i + 1);
    content.values.emplace_back(std::string(words[0]), numberOrFail(words[1], source, i + 1));
  }
  return content;
}

}  // namespace paralog::solution_readers
