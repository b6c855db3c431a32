#ifndef PARALOG_LP_ROW_PIPELINE_H
#define PARALOG_LP_ROW_PIPELINE_H

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "lp/program_consumer.h"
#include "lp/row.h"

namespace paralog {

/// A RowSink that makes rows canonical on the calling thread and hands them
/// to a second thread, which passes them to the consumer strictly in the
/// order they were added: while the generators make the next rows, the
/// worker renders and writes the previous ones. Rows travel as typed terms
/// in batches of about `batchTerms` terms; at most four batches wait, which
/// bounds memory.
///
/// Ownership and threads: the pipeline does not own the consumer; the
/// consumer (and whatever it writes into) must outlive the pipeline, so
/// declare them before it. `add` and `drain` are called from one thread
/// only; the consumer's row() runs on the worker thread until drain()
/// returns, after which the caller may use the consumer again. The
/// destructor stops the worker and drops rows not yet handed over, so an
/// exception on the generating thread unwinds safely.
///
/// A row whose coefficient sum leaves 32 bits throws from its own add. A
/// failure in the worker (a failed write) makes the next add or drain throw
/// that failure; later rows are dropped.
class RowPipeline : public RowSink {
 public:
  explicit RowPipeline(ProgramConsumer& consumer, size_t batchTerms = size_t{1} << 16);
  ~RowPipeline() override;
  RowPipeline(const RowPipeline&) = delete;
  RowPipeline& operator=(const RowPipeline&) = delete;

  /// REQUIRES: called from the thread that created the pipeline.
  void add(Section section, const TermList& terms, Relation relation, int32_t rhs,
           TermOrder order) override;
  /// Returns once every added row has reached the consumer; rethrows the
  /// first failure of the worker.
  void drain();

 private:
  /// One row of a batch: the end of its terms in the batch, and the rest.
  struct RowHead {
    uint32_t termEnd;
    int32_t rhs;
    Section section;
    Relation relation;
  };
  /// Rows on their way to the worker, their terms back to back.
  struct Batch {
    TermList terms;
    std::vector<RowHead> rows;
  };

  void run();
  void submitCurrent();
  void rethrowFailure();

  ProgramConsumer& consumer_;
  const size_t batchTerms_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Batch>> queued_;
  std::vector<std::unique_ptr<Batch>> spare_;
  std::unique_ptr<Batch> current_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread worker_;  // last: started once everything above exists
};

}  // namespace paralog

#endif  // PARALOG_LP_ROW_PIPELINE_H
