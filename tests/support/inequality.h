#ifndef PARALOG_SUPPORT_INEQUALITY_H
#define PARALOG_SUPPORT_INEQUALITY_H

#include <cstdint>
#include <string>
#include <string_view>

#include "lp/term.h"

namespace paralog {

/// A linear constraint parsed from text such as "b + a - 2 c <= 1".
/// The term names and the relation are views into the parsed text: the
/// Inequality is valid only while that text is alive and unchanged.
struct Inequality {
  TermList terms;
  std::string_view relation;  ///< "=", "<=" or ">="
  int32_t rhs = 0;
};

// The text side of linear inequalities: the independent reading and
// writing of a line against which the tests and the fuzzer check every row
// the program writes.

/// Parses a left side: tokens split at single blanks (empty tokens kept).
/// A token starting with "+" or "-" sets the pending coefficient to +1 or
/// -1; one starting with a lower-case ASCII letter adds the pending
/// coefficient to that variable; an empty token has no effect; any other
/// token is an integer multiplied into the pending coefficient. The result
/// replaces `terms` (whose capacity is reused) and is sorted and merged.
/// Throws std::runtime_error("Provided expression is invalid inequality")
/// for a factor without a number or a coefficient beyond 32 bits.
void parseExpression(std::string_view text, TermList& terms);
TermList parseExpression(std::string_view text);

/// Parses "<left side> <relation> <integer>": the relation is "=", "<=" or
/// ">=" with exactly one blank on each side. Anything else throws
/// std::runtime_error("Provided expression is invalid inequality").
void parseInequality(std::string_view text, Inequality& out);
Inequality parseInequality(std::string_view text);

/// Appends the canonical left side: terms in name order, "+"/"-" between
/// them, a coefficient only when its absolute value is not 1, a leading "- "
/// only when the first coefficient is negative; empty for no terms.
void renderExpression(const TermList& terms, std::string& out);
std::string renderExpression(const TermList& terms);

/// Appends the canonical line: left side, " ", relation, " ", rhs.
void renderInequality(const Inequality& inequality, std::string& out);
std::string renderInequality(const Inequality& inequality);

}  // namespace paralog

#endif  // PARALOG_SUPPORT_INEQUALITY_H
