#ifndef PARALOG_LP_PROGRAM_CONSUMER_H
#define PARALOG_LP_PROGRAM_CONSUMER_H

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "lp/row.h"
#include "lp/term.h"
#include "lp/variable_kind.h"

namespace paralog {

/// Receives the declarations of a program: every binary name in byte
/// order, then every general name in byte order (kind is never
/// kContinuous). The view is valid only during the call.
class DeclarationSink {
 public:
  virtual ~DeclarationSink() = default;
  virtual void declare(VariableKind kind, std::string_view name) = 0;
};

/// Receives a whole integer program as typed data, in the order of the LP
/// file: objective() once, then row() for every row (all "Subject To" rows
/// in file order, "Bounds" rows in file order among themselves, the two
/// sections possibly interleaved), then declare() for every binary name in
/// byte order and every general name in byte order, then end() once.
///
/// The LP writer is one consumer; a solver model can be another. Calls come
/// from one thread at a time, but rows may come from another thread than
/// the objective and the declarations (with the hand-over synchronised by
/// the caller). Views passed in are valid only during the call.
/// REQUIRES: calls in the order objective, rows, declarations, end.
class ProgramConsumer : public DeclarationSink {
 public:
  /// The objective to minimise, terms in the order written; a name may occur
  /// twice (the o variables: "+ o - n o"), so it is not canonical.
  virtual void objective(const TermList& terms) = 0;
  /// One row with canonical terms (see makeCanonical).
  virtual void row(Section section, TermSpan terms, Relation relation, int32_t rhs) = 0;
  /// True when the consumer also takes "Subject To" rows as finished LP
  /// lines (renderedRows), so that a pipeline may render them on any thread.
  virtual bool takesRenderedRows() const { return false; }
  /// True when rendered rows longer than kPortableLineLimit must come
  /// broken as appendWrappedLine breaks them (lp/portable_line.h).
  virtual bool wrapsRenderedRows() const { return false; }
  /// `count` "Subject To" rows, each "\t" renderRow "\n" (wrapped when
  /// wrapsRenderedRows()), back to back in `lines`: the same as row() for
  /// each of them in turn.
  /// REQUIRES: takesRenderedRows().
  virtual void renderedRows(std::string_view lines, uint64_t count) {
    (void)lines;
    (void)count;
    throw std::logic_error("internal error: rendered rows for a consumer of typed rows");
  }
  /// `count` declarations of `kind`, each "\t" name "\n", back to back in
  /// `lines`: the same as declare() for each of them in turn.
  /// REQUIRES: takesRenderedRows().
  virtual void renderedDeclarations(VariableKind kind, std::string_view lines, uint64_t count) {
    (void)kind;
    (void)lines;
    (void)count;
    throw std::logic_error("internal error: rendered declarations for a consumer of names");
  }
  virtual void end() = 0;
};

}  // namespace paralog

#endif  // PARALOG_LP_PROGRAM_CONSUMER_H
