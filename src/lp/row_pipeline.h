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
/// When the consumer takes rendered rows (ProgramConsumer::
/// takesRenderedRows), each batch's "Subject To" rows are first rendered
/// into the batch's own text, by whichever thread is free: the worker
/// renders the oldest waiting batch whenever the batch it must write next
/// is not ready, and the generating thread, instead of waiting for room,
/// renders the newest one. Batches still reach the consumer in the order
/// they were added, so both cores share the work and every line keeps its
/// place. Long rows are broken there too when the consumer asks for it
/// (ProgramConsumer::wrapsRenderedRows).
///
/// Ownership and threads: the pipeline does not own the consumer; the
/// consumer (and whatever it writes into) must outlive the pipeline, so
/// declare them before it. `add` and `drain` are called from one thread
/// only; the consumer's methods run on the worker thread until drain()
/// returns, after which the caller may use the consumer again. The
/// destructor stops the worker after the step it is on and drops rows not
/// yet handed over, so an exception on the generating thread unwinds
/// safely.
///
/// A row whose coefficient sum leaves 32 bits throws from its own add. A
/// failure in the worker (a failed write) makes the next add or drain throw
/// that failure; later rows are dropped.
///
/// Declarations, given after the last row, take the same way: the calling
/// thread renders them ("\t" name "\n") into batches of their own that the
/// worker hands over as they are (ProgramConsumer::renderedDeclarations),
/// or, for a consumer of typed rows, passes their names on to declare().
/// The names must stay valid until drain() returns.
class RowPipeline : public RowSink, public DeclarationSink {
 public:
  explicit RowPipeline(ProgramConsumer& consumer, size_t batchTerms = size_t{1} << 15);
  ~RowPipeline() override;
  RowPipeline(const RowPipeline&) = delete;
  RowPipeline& operator=(const RowPipeline&) = delete;

  /// REQUIRES: called from the thread that created the pipeline.
  void add(Section section, const TermList& terms, Relation relation, int32_t rhs,
           TermOrder order) override;
  /// REQUIRES: called from the thread that created the pipeline, after
  /// the last add.
  void declare(VariableKind kind, std::string_view name) override;
  /// Returns once every added row and declaration has reached the
  /// consumer; rethrows the first failure of the worker.
  void drain();

 private:
  /// One row of a batch: the end of its terms in the batch, and the rest.
  struct RowHead {
    uint32_t termEnd;
    int32_t rhs;
    Section section;
    Relation relation;
  };
  /// Where a batch is on its way: rendering is skipped for consumers of
  /// typed rows only.
  enum class Stage : uint8_t { kWaiting, kRendering, kRendered };
  /// Rows on their way to the worker, their terms back to back, and the
  /// "Subject To" rows rendered (text's first textBytes bytes). A batch of
  /// declarations holds only names of one kind: rendered in text (textRows
  /// of them), or as the names of `terms` for a consumer of typed rows.
  struct Batch {
    TermList terms;
    std::vector<RowHead> rows;
    std::vector<char> text;
    size_t textBytes = 0;
    uint64_t textRows = 0;
    Stage stage = Stage::kWaiting;
    bool declarations = false;
    VariableKind kind = VariableKind::kBinary;

    bool empty() const { return rows.empty() && terms.empty() && textRows == 0; }
  };

  void run();
  void submitCurrent();
  void rethrowFailure();
  /// Renders `batch` with the mutex released; `lock` holds it on entry and exit.
  void renderLocked(std::unique_lock<std::mutex>& lock, Batch& batch);
  /// Renders the "Subject To" rows of `batch`, long ones broken when `wrap`.
  static void render(Batch& batch, bool wrap);
  /// Hands a rendered batch to the consumer.
  void deliver(const Batch& batch);
  /// The oldest or newest waiting batch, or null. REQUIRES: mutex held.
  Batch* waiting(bool newest);

  ProgramConsumer& consumer_;
  const size_t batchTerms_;
  const bool renders_;
  const bool wraps_;  ///< rendered rows come broken as the consumer asks
  // Only the calling thread touches these.
  std::unique_ptr<Batch> current_;
  bool declaring_ = false;  ///< declare() was called: no more rows

  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_, as is the stage of every queued batch; a batch's
  // contents belong to the thread that set it kRendering or took it off
  // the queue.
  std::deque<std::unique_ptr<Batch>> queued_;
  std::vector<std::unique_ptr<Batch>> spare_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;

  std::thread worker_;  // last: started once everything above exists
};

}  // namespace paralog

#endif  // PARALOG_LP_ROW_PIPELINE_H
