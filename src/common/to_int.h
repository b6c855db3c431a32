#ifndef PARALOG_COMMON_TO_INT_H
#define PARALOG_COMMON_TO_INT_H

#include <cstdint>
#include <optional>
#include <string_view>

namespace paralog {

/// Reads the integer at the start of `text` the way formatted stream
/// extraction does: leading white space skipped, an optional "+" or "-",
/// then the decimal digits; whatever follows is ignored ("12x" gives 12).
/// Returns nothing when no digit follows, or when the value does not fit a
/// 32-bit signed integer. Never throws and never allocates.
std::optional<int32_t> toInt(std::string_view text);

}  // namespace paralog

#endif  // PARALOG_COMMON_TO_INT_H
