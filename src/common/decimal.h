#ifndef PARALOG_COMMON_DECIMAL_H
#define PARALOG_COMMON_DECIMAL_H

#include <charconv>
#include <cstdint>
#include <string>

namespace paralog {

/// Appends the plain decimal text of `value` (a "-" for negatives, no "+",
/// no padding) without allocating beyond the growth of `out`.
inline void appendDecimal(std::string& out, int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

inline void appendUnsignedDecimal(std::string& out, uint64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

}  // namespace paralog

#endif  // PARALOG_COMMON_DECIMAL_H
