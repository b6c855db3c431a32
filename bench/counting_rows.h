#ifndef PARALOG_BENCH_COUNTING_ROWS_H
#define PARALOG_BENCH_COUNTING_ROWS_H

// A RowSink for the generator benchmarks: makes every row canonical and
// renders it, as the LP writer does, but keeps only counts.

#include <cstdint>
#include <string>

#include "lp/row.h"

namespace paralog {

/// Counts the rows and bytes the generators would write.
class CountingRows : public RowSink {
 public:
  void add(Section, const TermList& terms, Relation relation, int32_t rhs,
           TermOrder order) override {
    scratch_.assign(terms.begin(), terms.end());
    if (order == TermOrder::kAny) makeCanonical(scratch_);
    line_.clear();
    renderRow(scratch_, relation, rhs, line_);
    ++rows_;
    bytes_ += line_.size() + 2;
  }
  uint64_t rows() const { return rows_; }
  uint64_t bytes() const { return bytes_; }

 private:
  TermList scratch_;
  std::string line_;
  uint64_t rows_ = 0;
  uint64_t bytes_ = 0;
};

}  // namespace paralog

#endif  // PARALOG_BENCH_COUNTING_ROWS_H
