#include "genome/gene_name_escape.h"

#include "genome/reader.h"

namespace paralog {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string escapeGeneName(std::string_view name) {
  std::string escaped;
  escaped.reserve(name.size());
  for (const char c : name) {
    if (isGeneNameCharacter(c) && c != kGeneNameEscape) {
      escaped += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    escaped += kGeneNameEscape;
    escaped += kHexDigits[byte >> 4];
    escaped += kHexDigits[byte & 0x0F];
  }
  return escaped;
}

std::string decodeGeneName(std::string_view escaped) {
  std::string name;
  name.reserve(escaped.size());
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == kGeneNameEscape && i + 2 < escaped.size() &&
        hexValue(escaped[i + 1]) >= 0 && hexValue(escaped[i + 2]) >= 0) {
      name += static_cast<char>(hexValue(escaped[i + 1]) * 16 + hexValue(escaped[i + 2]));
      i += 2;
    } else {
      name += escaped[i];
    }
  }
  return name;
}

std::string originalGeneName(const Structure& structure, std::string_view name) {
  return structure.escapedNames ? decodeGeneName(name) : std::string(name);
}

}  // namespace paralog
