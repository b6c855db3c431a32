#include "solution_files/solution_readers.h"

#include <algorithm>
#include <map>

#include "genome/quoted.h"

namespace paralog::solution_readers {
namespace {

// Replaces the five predefined XML entities and numeric character references.
std::string unescapeXml(std::string_view text, const std::string& source) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    bool known = false;
    for (const auto& [entity, character] : kEntities) {
      if (text.compare(i, entity.size(), entity) == 0) {
        out += character;
        i += entity.size();
        known = true;
        break;
      }
    }
    if (known) continue;
    const size_t semicolon = text.find(';', i);
    if (text.compare(i, 2, "&#") != 0 || semicolon == std::string_view::npos) {
      fail(source, "unknown XML entity in " + quoted(text));
    }
    const bool hex = text.compare(i, 3, "&#x") == 0;
    const std::string_view digits =
        text.substr(i + (hex ? 3 : 2), semicolon - i - (hex ? 3 : 2));
    const char* const allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of(allowed) != std::string_view::npos) {
      fail(source, "a malformed character reference in " + quoted(text));
    }
    const unsigned long code = std::stoul(std::string(digits), nullptr, hex ? 16 : 10);
    if (code == 0 || code > 0x7f) {
      fail(source, "a character reference outside ASCII in " + quoted(text));
    }
    out += static_cast<char>(code);
    i = semicolon + 1;
  }
  return out;
}

// The attributes of the element that starts at `text` ("<name a="1" ...").
std::map<std::string, std::string, std::less<>> attributes(std::string_view element,
                                                           const std::string& source) {
  std::map<std::string, std::string, std::less<>> result;
  size_t i = element.find_first_of(" \t\r\n");
  while (i != std::string_view::npos && i < element.size()) {
    i = element.find_first_not_of(" \t\r\n", i);
    if (i == std::string_view::npos || element[i] == '/' || element[i] == '>') break;
    const size_t equals = element.find('=', i);
    if (equals == std::string_view::npos || equals + 1 >= element.size()) break;
    const char quote = element[equals + 1];
    const size_t close = element.find(quote, equals + 2);
    if ((quote != '"' && quote != '\'') || close == std::string_view::npos) {
      fail(source, "malformed XML attribute in " + quoted(element));
    }
    result[std::string(trim(element.substr(i, equals - i)))] =
        unescapeXml(element.substr(equals + 2, close - equals - 2), source);
    i = close + 1;
  }
  return result;
}

SolutionStatus cplexStatus(std::string_view status) {
  using Where = StatusPhrase::Where;
  // Tried in this order; "infeasible" followed by a comma does not count.
  return statusOf(status,
                  {{"infeasible", Where::kAnywhere, SolutionStatus::kInfeasible, "infeasible,"},
                   {"time limit", Where::kAnywhere, SolutionStatus::kTimeLimit},
                   {"abort", Where::kAnywhere, SolutionStatus::kInterrupted},
                   {"optimal", Where::kAnywhere, SolutionStatus::kOptimal}});
}

}  // namespace

// <CPLEXSolution>, a <header objectiveValue=".." solutionStatusString=".."/>
// and one <variable name=".." value=".."/> per variable.
SolutionFileContent readCplexSolution(std::string_view text, const std::string& source) {
  SolutionFileContent content;
  content.format = "CPLEX";
  content.listsEveryVariable = true;
  bool sawHeader = false;
  size_t line = 1;
  size_t counted = 0;  // the bytes before this one are counted in `line`
  for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    line += static_cast<size_t>(std::count(text.begin() + counted, text.begin() + at, '\n'));
    counted = at;
    const std::string where = "line " + std::to_string(line) + ": ";
    const size_t end = text.find('>', at);
    if (end == std::string_view::npos) fail(source, where + "an XML element is not closed");
    const std::string_view element = text.substr(at, end - at + 1);
    if (element.rfind("<header", 0) == 0) {
      const auto header = attributes(element, source + ":" + std::to_string(line));
      sawHeader = true;
      const auto status = header.find("solutionStatusString");
      if (status != header.end()) content.status = cplexStatus(status->second);
      const auto objective = header.find("objectiveValue");
      if (objective != header.end()) content.objective = numberOrFail(objective->second, source, line);
    } else if (element.rfind("<variable ", 0) == 0) {
      const auto variable = attributes(element, source + ":" + std::to_string(line));
      const auto name = variable.find("name");
      const auto value = variable.find("value");
      if (name == variable.end() || value == variable.end()) {
        fail(source, where + "a <variable> element without name or value");
      }
      content.valueLines.push_back(line);
      content.values.emplace_back(name->second, numberOrFail(value->second, source, line));
    }
    at = end;
  }
  if (!sawHeader) fail(source, "no <header> element");
  return content;
}

}  // namespace paralog::solution_readers
