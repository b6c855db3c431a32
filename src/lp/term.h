#ifndef PARALOG_LP_TERM_H
#define PARALOG_LP_TERM_H

#include <cstdint>
#include <string_view>
#include <vector>

namespace paralog {

/// One variable of a linear expression with its coefficient. The name is a
/// view: of the parsed text, or of a name kept by whoever made the term.
///
/// The constructor lets lists build terms in place (emplace_back): a term
/// made as a temporary is stored field by field and then copied in wider
/// loads, which stalls the hot loops on every term.
struct Term {
  std::string_view name;
  int32_t coefficient = 0;

  Term() = default;
  Term(std::string_view termName, int32_t termCoefficient)
      : name(termName), coefficient(termCoefficient) {}
};

/// A list of terms; canonical (sorted by name in byte order, each name once,
/// no zero coefficient) wherever a function says so.
using TermList = std::vector<Term>;

}  // namespace paralog

#endif  // PARALOG_LP_TERM_H
