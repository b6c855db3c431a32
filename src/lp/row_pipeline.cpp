#include "lp/row_pipeline.h"

#include <algorithm>

namespace paralog {
namespace {

constexpr size_t kMaxQueuedBatches = 4;
constexpr size_t kPrefetchTerms = 16;

}  // namespace

RowPipeline::RowPipeline(ProgramConsumer& consumer, size_t batchTerms)
    : consumer_(consumer), batchTerms_(batchTerms), current_(std::make_unique<Batch>()) {
  worker_ = std::thread([this] { run(); });
}

RowPipeline::~RowPipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queued_.clear();
  }
  changed_.notify_all();
  worker_.join();
}

void RowPipeline::add(Section section, const TermList& terms, Relation relation, int32_t rhs,
                      TermOrder order) {
  TermList& batchTerms = current_->terms;
  const size_t start = batchTerms.size();
  batchTerms.insert(batchTerms.end(), terms.begin(), terms.end());
  if (order == TermOrder::kAny) {
    try {
      Term* const first = batchTerms.data() + start;
      const Term* const last = makeCanonical(first, first + terms.size());
      batchTerms.resize(static_cast<size_t>(last - batchTerms.data()));
    } catch (...) {
      batchTerms.resize(start);
      throw;
    }
  }
  current_->rows.push_back(
      RowHead{static_cast<uint32_t>(batchTerms.size()), rhs, section, relation});
  if (current_->terms.size() >= batchTerms_) submitCurrent();
}

void RowPipeline::drain() {
  submitCurrent();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queued_.empty() && !busy_; });
  lock.unlock();
  rethrowFailure();
}

void RowPipeline::rethrowFailure() {
  std::exception_ptr failure;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    failure = failure_;
  }
  if (failure) std::rethrow_exception(failure);
}

void RowPipeline::submitCurrent() {
  if (current_->rows.empty()) {
    rethrowFailure();
    return;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queued_.size() < kMaxQueuedBatches || failure_; });
  if (failure_) std::rethrow_exception(failure_);
  queued_.push_back(std::move(current_));
  if (spare_.empty()) {
    current_ = std::make_unique<Batch>();
  } else {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
  lock.unlock();
  changed_.notify_all();
}

void RowPipeline::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
    if (stopping_) return;
    std::unique_ptr<Batch> batch = std::move(queued_.front());
    queued_.pop_front();
    const bool skip = static_cast<bool>(failure_);
    busy_ = true;
    lock.unlock();

    std::exception_ptr failure;
    if (!skip) {
      try {
        const Term* const terms = batch->terms.data();
        const size_t termCount = batch->terms.size();
        uint32_t start = 0;
        size_t prefetched = 0;
        for (const RowHead& row : batch->rows) {
          // Names are scattered over large name tables: asking for the bytes
          // of the next rows' names early hides most of the cache misses.
          const size_t ahead = std::min<size_t>(termCount, row.termEnd + kPrefetchTerms);
          for (; prefetched < ahead; ++prefetched) __builtin_prefetch(terms[prefetched].name.data());
          consumer_.row(row.section, TermSpan(terms + start, row.termEnd - start), row.relation,
                        row.rhs);
          start = row.termEnd;
        }
      } catch (...) {
        failure = std::current_exception();
      }
    }
    batch->terms.clear();
    batch->rows.clear();

    lock.lock();
    if (failure && !failure_) failure_ = failure;
    spare_.push_back(std::move(batch));
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace paralog
