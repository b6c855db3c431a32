#include "lp/variable_names.h"

#include <charconv>

namespace paralog {
namespace {

// Reads the decimal number that fills `text` exactly.
std::optional<int32_t> wholeNumber(std::string_view text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

}  // namespace

VariableFamily variableFamily(std::string_view name) {
  if (name.size() < 2 || name[1] != '_') return VariableFamily::kOther;
  switch (name[0]) {
    case 'z': return VariableFamily::kZ;
    case 't': return VariableFamily::kT;
    case 'p': return VariableFamily::kP;
    case 'u': return VariableFamily::kU;
    case 'r': return VariableFamily::kR;
    case 'l': return VariableFamily::kL;
    case 'o': return VariableFamily::kO;
    default: return VariableFamily::kOther;
  }
}

std::optional<ZName> readZName(std::string_view name) {
  if (variableFamily(name) != VariableFamily::kZ) return std::nullopt;
  const std::string_view rest = name.substr(2);
  const size_t firstDot = rest.find('.');
  if (firstDot == 0 || firstDot == std::string_view::npos) return std::nullopt;
  const size_t secondDot = rest.find('.', firstDot + 1);
  if (secondDot == std::string_view::npos) return std::nullopt;
  const auto first = wholeNumber(rest.substr(firstDot + 1, secondDot - firstDot - 1));
  const auto second = wholeNumber(rest.substr(secondDot + 1));
  if (!first || !second) return std::nullopt;
  return ZName{rest.substr(0, firstDot), *first, *second};
}

}  // namespace paralog
