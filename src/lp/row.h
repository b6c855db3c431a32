#ifndef PARALOG_LP_ROW_H
#define PARALOG_LP_ROW_H

#include <cstdint>
#include <string_view>

#include "lp/inequality.h"

namespace paralog {

/// The two LP sections that hold rows; the writer puts them in this order.
enum class Section : uint8_t { kSubjectTo, kBounds };

/// The relation between a row's left side and its right-hand side.
enum class Relation : uint8_t { kLessEqual, kGreaterEqual, kEqual };

/// The section's header line without its line end ("Subject To", "Bounds").
std::string_view sectionName(Section section);
/// "<=", ">=" or "=".
std::string_view relationText(Relation relation);

/// Where generators put their rows (constraints and bounds) as data: terms
/// with coefficient and variable in any order, a name possibly repeated,
/// then relation and right-hand side. The sink makes the terms canonical
/// (sorted by name, repeats merged, zeros dropped) before anyone sees them.
///
/// Term names are views: they must stay valid and unchanged until the sink
/// has finished its work (for a pipelined sink, until it is drained or
/// destroyed), which holds for names kept by VariablesStorage. An
/// implementation is used from one thread at a time.
class RowSink {
 public:
  virtual ~RowSink() = default;
  /// Adds one row at the end of `section`. `terms` is only read during the
  /// call. Throws std::runtime_error("Provided expression is invalid
  /// inequality") when a merged coefficient leaves 32 bits (maybe later,
  /// on a later add or drain, for a pipelined sink).
  virtual void add(Section section, const TermList& terms, Relation relation, int32_t rhs) = 0;
};

/// Puts `terms` in canonical order in place: sorted by name in byte order,
/// each name once with its summed coefficient, zero sums dropped. Terms
/// already strictly sorted with no zero coefficient are left untouched after
/// one pass of comparisons. Throws std::runtime_error("Provided expression
/// is invalid inequality") for a sum beyond 32 bits.
void makeCanonical(TermList& terms);

/// Appends the line of a canonical row without tab or line end: left side
/// as renderExpression writes it, " ", the relation, " ", the rhs.
void renderRow(const TermList& terms, Relation relation, int32_t rhs, std::string& out);

}  // namespace paralog

#endif  // PARALOG_LP_ROW_H
