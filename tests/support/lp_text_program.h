#ifndef PARALOG_SUPPORT_LP_TEXT_PROGRAM_H
#define PARALOG_SUPPORT_LP_TEXT_PROGRAM_H

// Reads an LP file written by this tool back into a program: the
// independent reading the tests check the typed model against, and a quick
// way to write small programs by hand.

#include <string_view>

#include "model/linear_program.h"

namespace paralog::testutil {

/// Builds the program that an LP file written by this tool states: the
/// "Minimize" line (repeated terms of one variable summed), one row per
/// "Subject To" line, the "Bounds" lines, and the "Binary" and "General"
/// declarations. Throws std::runtime_error for text of another layout.
LinearProgram linearProgramFromLpText(std::string_view lpText);

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_LP_TEXT_PROGRAM_H
