#ifndef PARALOG_LP_CANONICAL_ROWS_H
#define PARALOG_LP_CANONICAL_ROWS_H

#include <stdexcept>

#include "lp/program_consumer.h"
#include "lp/row.h"

namespace paralog {

/// A RowSink that makes each row canonical and hands it to a consumer at
/// once, on the calling thread: the plain reference path. It checks every
/// row claimed canonical and throws std::logic_error for one that is not.
/// Does not own the consumer, which must outlive it.
class CanonicalRows : public RowSink {
 public:
  explicit CanonicalRows(ProgramConsumer& consumer) : consumer_(consumer) {}
  void add(Section section, const TermList& terms, Relation relation, int32_t rhs,
           TermOrder order) override {
    if (order == TermOrder::kCanonical && !isCanonical(terms)) {
      throw std::logic_error("internal error: a row claimed canonical is not");
    }
    scratch_.assign(terms.begin(), terms.end());
    makeCanonical(scratch_);
    consumer_.row(section, scratch_, relation, rhs);
  }

 private:
  ProgramConsumer& consumer_;
  TermList scratch_;
};

}  // namespace paralog

#endif  // PARALOG_LP_CANONICAL_ROWS_H
