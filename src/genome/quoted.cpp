#include "genome/quoted.h"

namespace paralog {

std::string quoted(std::string_view text, size_t maxLength) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const bool cut = text.size() > maxLength;
  if (cut) text = text.substr(0, maxLength);
  std::string out;
  out.reserve(text.size() + 8);
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7f) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    } else {
      out += c;
    }
  }
  if (cut) out += "...";
  out += '"';
  return out;
}

}  // namespace paralog
