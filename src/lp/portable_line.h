#ifndef PARALOG_LP_PORTABLE_LINE_H
#define PARALOG_LP_PORTABLE_LINE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace paralog {

// Rewrites single lines of LP text into the form that every LP reader takes
// the same way. Pure functions over text; safe to call from any thread.

/// Longest line of a portable LP file in bytes, its line end not counted
/// (readers allow 512 or 560 characters).
inline constexpr size_t kPortableLineLimit = 510;

/// Appends the objective line `objective` ("\t" then terms "sign
/// [coefficient] name" separated by single blanks, no line end) to `out`,
/// each variable named more than once merged into one term with the summed
/// integer coefficient, standing where its first term stood and written in
/// canonical form ("- o_2_0" for -1, "- 2 o_1_0" for -2, "+ 0 x" for 0).
/// Terms of variables named once keep their bytes. A line that does not
/// have this shape, or whose sums overflow, is appended unchanged.
void appendMergedObjective(std::string_view objective, std::string& out);

/// Appends `line` (no line end) and "\n" to `out`, broken into lines of at
/// most kPortableLineLimit bytes where it is longer: a break replaces the
/// blank in front of a term's sign (" + " or " - ") that stands before the
/// relation by "\n\t", so each continuation line starts with a tab and the
/// relation and right-hand side stay on the line of the last term. Breaks
/// are placed greedily, as late as the limit allows; a piece longer than
/// the limit on its own stays whole.
void appendWrappedLine(std::string_view line, std::string& out);

}  // namespace paralog

#endif  // PARALOG_LP_PORTABLE_LINE_H
