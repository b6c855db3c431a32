#ifndef PARALOG_LP_ROW_H
#define PARALOG_LP_ROW_H

#include <cstdint>
#include <string_view>

#include "lp/term.h"

namespace paralog {

/// The two LP sections that hold rows; the writer puts them in this order.
enum class Section : uint8_t { kSubjectTo, kBounds };

/// The relation between a row's left side and its right-hand side.
enum class Relation : uint8_t { kLessEqual, kGreaterEqual, kEqual };

/// The section's header line without its line end ("Subject To", "Bounds").
std::string_view sectionName(Section section);
/// "<=", ">=" or "=".
std::string_view relationText(Relation relation);

/// What a generator vouches for about the order of a row's terms.
enum class TermOrder : uint8_t {
  kAny,        ///< any order, names may repeat: the sink makes it canonical
  kCanonical,  ///< already canonical (see makeCanonical), as built from sorted parts
};

/// A view of consecutive terms (of a TermList or a batch); the terms must
/// outlive the view.
struct TermSpan {
  const Term* first = nullptr;
  size_t count = 0;

  TermSpan() = default;
  TermSpan(const Term* begin, size_t size) : first(begin), count(size) {}
  TermSpan(const TermList& terms) : first(terms.data()), count(terms.size()) {}  // NOLINT
  const Term* begin() const { return first; }
  const Term* end() const { return first + count; }
  size_t size() const { return count; }
  bool empty() const { return count == 0; }
};

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
  /// inequality") when a merged coefficient leaves 32 bits. With
  /// TermOrder::kCanonical the fast sink trusts the caller; the in-memory
  /// reference sink (CanonicalRows) checks the claim.
  /// REQUIRES: every name outlives the sink's work (see above); with
  /// kCanonical, isCanonical(terms).
  virtual void add(Section section, const TermList& terms, Relation relation, int32_t rhs,
                   TermOrder order = TermOrder::kAny) = 0;
};

/// Puts the terms [first, last) in canonical order in place: sorted by name
/// in byte order, each name once with its summed coefficient, zero sums
/// dropped; returns the new end. Terms already strictly sorted with no zero
/// coefficient are left untouched after one pass of comparisons. Throws
/// std::runtime_error("Provided expression is invalid inequality") for a
/// sum beyond 32 bits.
Term* makeCanonical(Term* first, Term* last);
/// The same for a whole list, resized to the canonical terms.
void makeCanonical(TermList& terms);

/// True when the terms are canonical: names strictly increasing in byte
/// order, no zero coefficient.
bool isCanonical(TermSpan terms);

/// The most bytes renderRow can write for a row of these terms.
size_t renderedRowBound(TermSpan terms);
/// Writes the line of a canonical row at `out`, without tab or line end,
/// and returns the end of what it wrote: the terms joined by " + " or
/// " - " (a first negative term as "- "), a coefficient only when its
/// absolute value is not 1, then " ", the relation, " ", the rhs. An empty
/// row gives just " <= 1" and the like.
char* renderRow(TermSpan terms, Relation relation, int32_t rhs, char* out);
/// The same, appended to `out`.
void renderRow(TermSpan terms, Relation relation, int32_t rhs, std::string& out);

}  // namespace paralog

#endif  // PARALOG_LP_ROW_H
