#include "genome/extremity.h"

#include <charconv>

#include "common/decimal.h"

namespace paralog {

void appendExtremityKey(const Extremity& extremity, std::string& out) {
  out.append(extremity.name);
  out += '.';
  appendDecimal(out, extremity.index);
  out += extremity.end;
}

std::string extremityKey(const Extremity& extremity) {
  std::string key;
  appendExtremityKey(extremity, key);
  return key;
}

bool extremityLess(const Extremity& a, const Extremity& b) {
  // Keys share the form name "." digits end; comparing them built is the
  // plainest way to get exactly the byte order of the texts.
  char bufferA[64];
  char bufferB[64];
  if (a.name.size() < 40 && b.name.size() < 40) {
    auto build = [](const Extremity& e, char* buffer) {
      char* p = buffer;
      for (char c : e.name) *p++ = c;
      *p++ = '.';
      p = std::to_chars(p, buffer + 63, e.index).ptr;
      *p++ = e.end;
      return std::string_view(buffer, static_cast<size_t>(p - buffer));
    };
    return build(a, bufferA) < build(b, bufferB);
  }
  return extremityKey(a) < extremityKey(b);
}

}  // namespace paralog
