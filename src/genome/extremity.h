#ifndef PARALOG_GENOME_EXTREMITY_H
#define PARALOG_GENOME_EXTREMITY_H

#include <cstdint>
#include <string>
#include <string_view>

namespace paralog {

/// One end of one gene copy: the tail ('t') or the head ('h').
struct Extremity {
  std::string name;   ///< gene name
  int32_t index = 0;  ///< copy index
  char end = 't';     ///< 't' or 'h'

  bool operator==(const Extremity& other) const {
    return index == other.index && end == other.end && name == other.name;
  }
  bool operator!=(const Extremity& other) const { return !(*this == other); }
};

/// The two end labels in the order in which every walk over a copy's ends goes.
inline constexpr char kEndLabels[2] = {'t', 'h'};

/// Appends name "." index end to `out`, e.g. "g7.2t".
void appendExtremityKey(const Extremity& extremity, std::string& out);
/// The key name "." index end, e.g. "g7.2t".
std::string extremityKey(const Extremity& extremity);

/// True when the key of `a` sorts before the key of `b` in byte order.
bool extremityLess(const Extremity& a, const Extremity& b);

}  // namespace paralog

#endif  // PARALOG_GENOME_EXTREMITY_H
