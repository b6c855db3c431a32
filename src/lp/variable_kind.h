#ifndef PARALOG_LP_VARIABLE_KIND_H
#define PARALOG_LP_VARIABLE_KIND_H

#include <cstdint>

namespace paralog {

/// How a variable may take values: any value of its range, 0 or 1, or
/// whole numbers. The LP file declares binary and general variables; every
/// other variable is continuous.
enum class VariableKind : uint8_t { kContinuous, kBinary, kGeneral };

}  // namespace paralog

#endif  // PARALOG_LP_VARIABLE_KIND_H
