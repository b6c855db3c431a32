#ifndef PARALOG_SUPPORT_LP_FILE_CHECK_H
#define PARALOG_SUPPORT_LP_FILE_CHECK_H

// A checker of the properties every LP file of the program must have,
// shared by the property test and the fuzz target (which is why it reports
// instead of using GoogleTest).

#include <string>
#include <string_view>

namespace paralog::testutil {

/// Describes the first property that the LP text `lp` breaks, or returns an
/// empty string when it has them all:
///  - the layout: "Minimize", a tab and the objective, an empty line; then
///    "Subject To" and "Bounds" (each only when it has lines) with their
///    lines after a tab and an empty line; an empty line, "Binary" and
///    "General" each with one declaration per line after a tab, each list
///    followed by an empty line; and "End" with no line end after it;
///  - every constraint and bound line re-parses and renders to itself;
///  - the objective parses as a linear expression;
///  - every variable that a line or the objective uses is declared exactly
///    once, under "Binary" or under "General";
///  - each declaration list is strictly increasing in byte order, binary
///    names carry the prefix "z_", "t_" or "p_" and general names "l_",
///    "o_", "r_" or "u_", and every name is made of gene name characters
///    and "." and is at most 255 characters long.
std::string lpFileProblem(std::string_view lp);

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_LP_FILE_CHECK_H
