#include "solution_files/solution_readers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "genome/quoted.h"

namespace paralog::solution_readers {

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t start = 0;
  while (true) {
    start = line.find_first_not_of(" \t", start);
    if (start == std::string_view::npos) break;
    size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = line.size();
    words.push_back(line.substr(start, end - start));
    start = end;
  }
  return words;
}

std::string_view trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(std::string_view text) {
  if (text.empty() || text.size() > 64) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || errno == ERANGE || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

void fail(const std::string& source, const std::string& what) {
  // Items of the file come quoted (escaped and cut); anything else that
  // slipped through is escaped here, so no raw control byte reaches a terminal.
  std::string message = source + ": ";
  for (const char c : what) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      message += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      message += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
    }
  }
  throw std::runtime_error(message);
}

SolutionStatus statusOf(std::string_view status, std::initializer_list<StatusPhrase> phrases) {
  for (const StatusPhrase& phrase : phrases) {
    bool matches = false;
    switch (phrase.where) {
      case StatusPhrase::Where::kWhole:
        matches = status == phrase.text;
        break;
      case StatusPhrase::Where::kStart:
        matches = status.substr(0, phrase.text.size()) == phrase.text;
        break;
      case StatusPhrase::Where::kAnywhere:
        matches = status.find(phrase.text) != std::string_view::npos;
        break;
    }
    if (matches && !phrase.unless.empty() && status.find(phrase.unless) != std::string_view::npos) {
      matches = false;
    }
    if (matches) return phrase.status;
  }
  return SolutionStatus::kFeasible;
}

double numberOrFail(std::string_view text, const std::string& source, size_t lineNumber) {
  const std::optional<double> value = parseNumber(text);
  if (!value) {
    const std::string where = lineNumber == 0 ? "" : "line " + std::to_string(lineNumber) + ": ";
    fail(source, where + quoted(text) + " is not a number");
  }
  return *value;
}

}  // namespace paralog::solution_readers
