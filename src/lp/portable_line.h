#ifndef PARALOG_LP_PORTABLE_LINE_H
#define PARALOG_LP_PORTABLE_LINE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lp/term.h"

namespace paralog {

// What sets the portable LP form apart from the default one: an objective
// naming each variable once, and no line longer than LP readers take. Pure
// functions; safe to call from any thread.

/// Longest line of a portable LP file in bytes, its line end not counted
/// (readers allow 512 or 560 characters).
inline constexpr size_t kPortableLineLimit = 510;

/// A term of the portable objective: a coefficient summed over the terms
/// of one variable, so wider than a Term's.
struct MergedTerm {
  std::string_view name;
  int64_t coefficient = 0;
};

/// `terms` with each variable named more than once merged into one term
/// with the summed coefficient, standing where its first term stood; the
/// names stay views into the names of `terms`.
std::vector<MergedTerm> mergeRepeatedTerms(const TermList& terms);

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
