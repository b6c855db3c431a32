#include "lp/row_pipeline.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "lp/portable_line.h"

namespace paralog {
namespace {

constexpr size_t kMaxQueuedBatches = 4;
constexpr size_t kPrefetchTerms = 48;

// Writes "\t" row "\n", broken as the portable form breaks long lines, at
// `used` in `text` (grown as needed); returns the new end of the text.
size_t appendWrappedRow(TermSpan terms, Relation relation, int32_t rhs, std::vector<char>& text,
                        size_t used) {
  std::string line = "\t";
  renderRow(terms, relation, rhs, line);
  std::string wrapped;
  appendWrappedLine(line, wrapped);
  if (text.size() - used < wrapped.size()) text.resize(used + wrapped.size());
  std::memcpy(text.data() + used, wrapped.data(), wrapped.size());
  return used + wrapped.size();
}

}  // namespace

RowPipeline::RowPipeline(ProgramConsumer& consumer, size_t batchTerms)
    : consumer_(consumer),
      batchTerms_(batchTerms),
      renders_(consumer.takesRenderedRows()),
      wraps_(consumer.wrapsRenderedRows()),
      current_(std::make_unique<Batch>()) {
  worker_ = std::thread([this] { run(); });
}

RowPipeline::~RowPipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  // The worker may be rendering a queued batch: the queue goes only after it stopped.
  worker_.join();
}

void RowPipeline::add(Section section, const TermList& terms, Relation relation, int32_t rhs,
                      TermOrder order) {
  if (declaring_) throw std::logic_error("internal error: a row after the declarations");
  TermList& batchTerms = current_->terms;
  const size_t start = batchTerms.size();
  // Field by field: the generator has just stored these terms field by
  // field, and copying whole terms (padding included) would load across
  // those stores, which the processor cannot forward and stalls on.
  for (const Term& term : terms) batchTerms.emplace_back(term.name, term.coefficient);
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
  // Filled in place for the same reason: a RowHead built on the stack is
  // stored in pieces and then copied in larger loads.
  RowHead& head = current_->rows.emplace_back();
  head.termEnd = static_cast<uint32_t>(batchTerms.size());
  head.rhs = rhs;
  head.section = section;
  head.relation = relation;
  if (current_->terms.size() >= batchTerms_) submitCurrent();
}

void RowPipeline::declare(VariableKind kind, std::string_view name) {
  declaring_ = true;
  if (!current_->empty() && (!current_->declarations || current_->kind != kind)) submitCurrent();
  current_->declarations = true;
  current_->kind = kind;
  if (!renders_) {
    current_->terms.emplace_back(name, 0);
    if (current_->terms.size() >= batchTerms_) submitCurrent();
    return;
  }
  std::vector<char>& text = current_->text;
  const size_t bytes = name.size() + 2;
  if (text.size() - current_->textBytes < bytes) {
    text.resize(std::max(text.size() + text.size() / 4, current_->textBytes + bytes));
  }
  char* const out = text.data() + current_->textBytes;
  out[0] = '\t';
  std::memcpy(out + 1, name.data(), name.size());
  out[bytes - 1] = '\n';
  current_->textBytes += bytes;
  ++current_->textRows;
  // About the text of a batch of rows, so that the writer sends it as it is.
  if (current_->textBytes >= batchTerms_ * 20) submitCurrent();
}

void RowPipeline::drain() {
  submitCurrent();
  std::unique_lock<std::mutex> lock(mutex_);
  while (!queued_.empty() || busy_) {
    Batch* const batch = waiting(true);
    if (batch != nullptr) {
      renderLocked(lock, *batch);
    } else {
      changed_.wait(lock);
    }
  }
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
  if (current_->empty()) {
    rethrowFailure();
    return;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  current_->stage = renders_ && !current_->declarations ? Stage::kWaiting : Stage::kRendered;
  queued_.push_back(std::move(current_));
  if (spare_.empty()) {
    current_ = std::make_unique<Batch>();
  } else {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
  changed_.notify_all();
  // Rather than wait for room, render the newest batch while the worker
  // works on the oldest.
  while (queued_.size() > kMaxQueuedBatches && !failure_) {
    Batch* const batch = waiting(true);
    if (batch != nullptr) {
      renderLocked(lock, *batch);
    } else {
      changed_.wait(lock);
    }
  }
  if (failure_) std::rethrow_exception(failure_);
}

RowPipeline::Batch* RowPipeline::waiting(bool newest) {
  if (newest) {
    for (auto it = queued_.rbegin(); it != queued_.rend(); ++it) {
      if ((*it)->stage == Stage::kWaiting) return it->get();
    }
  } else {
    for (const std::unique_ptr<Batch>& batch : queued_) {
      if (batch->stage == Stage::kWaiting) return batch.get();
    }
  }
  return nullptr;
}

void RowPipeline::renderLocked(std::unique_lock<std::mutex>& lock, Batch& batch) {
  batch.stage = Stage::kRendering;
  const bool skip = static_cast<bool>(failure_);
  lock.unlock();
  std::exception_ptr failure;
  if (!skip) {
    try {
      render(batch, wraps_);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  lock.lock();
  if (failure && !failure_) failure_ = failure;
  batch.stage = Stage::kRendered;
  changed_.notify_all();
}

void RowPipeline::render(Batch& batch, bool wrap) {
  const Term* const terms = batch.terms.data();
  const size_t termCount = batch.terms.size();
  uint32_t start = 0;
  size_t prefetched = 0;
  size_t used = 0;
  uint64_t rendered = 0;
  for (const RowHead& row : batch.rows) {
    const TermSpan span(terms + start, row.termEnd - start);
    start = row.termEnd;
    if (row.section != Section::kSubjectTo) continue;
    // Names are scattered over large name tables: asking for the bytes of
    // the next rows' names early hides most of the cache misses.
    const size_t ahead = std::min<size_t>(termCount, row.termEnd + kPrefetchTerms);
    for (; prefetched < ahead; ++prefetched) __builtin_prefetch(terms[prefetched].name.data());
    if (wrap && renderedRowBound(span) + 1 > kPortableLineLimit) {
      used = appendWrappedRow(span, row.relation, row.rhs, batch.text, used);
      ++rendered;
      continue;
    }
    const size_t bound = renderedRowBound(span) + 2;
    if (batch.text.size() - used < bound) {
      // Modest growth: the text of every batch in flight counts in the peak memory.
      batch.text.resize(std::max(batch.text.size() + batch.text.size() / 4, used + bound));
    }
    char* out = batch.text.data() + used;
    *out++ = '\t';
    out = renderRow(span, row.relation, row.rhs, out);
    *out++ = '\n';
    used = static_cast<size_t>(out - batch.text.data());
    ++rendered;
  }
  batch.textBytes = used;
  batch.textRows = rendered;
}

void RowPipeline::deliver(const Batch& batch) {
  if (batch.declarations) {
    if (renders_) {
      consumer_.renderedDeclarations(batch.kind, std::string_view(batch.text.data(), batch.textBytes),
                                     batch.textRows);
    } else {
      for (const Term& name : batch.terms) consumer_.declare(batch.kind, name.name);
    }
    return;
  }
  if (renders_) consumer_.renderedRows(std::string_view(batch.text.data(), batch.textBytes), batch.textRows);
  const Term* const terms = batch.terms.data();
  const size_t termCount = batch.terms.size();
  uint32_t start = 0;
  size_t prefetched = 0;
  for (const RowHead& row : batch.rows) {
    if (!renders_ || row.section != Section::kSubjectTo) {
      const size_t ahead = std::min<size_t>(termCount, row.termEnd + kPrefetchTerms);
      for (prefetched = std::max<size_t>(prefetched, start); prefetched < ahead; ++prefetched) {
        __builtin_prefetch(terms[prefetched].name.data());
      }
      consumer_.row(row.section, TermSpan(terms + start, row.termEnd - start), row.relation,
                    row.rhs);
    }
    start = row.termEnd;
  }
}

void RowPipeline::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    const auto frontReady = [this] {
      return !queued_.empty() && queued_.front()->stage == Stage::kRendered;
    };
    changed_.wait(lock, [&] { return stopping_ || frontReady() || waiting(false) != nullptr; });
    if (stopping_) return;
    if (!frontReady()) {
      // The next batch to write is not ready: render the oldest waiting one.
      renderLocked(lock, *waiting(false));
      continue;
    }
    std::unique_ptr<Batch> batch = std::move(queued_.front());
    queued_.pop_front();
    const bool skip = static_cast<bool>(failure_);
    busy_ = true;
    lock.unlock();

    std::exception_ptr failure;
    if (!skip) {
      try {
        deliver(*batch);
      } catch (...) {
        failure = std::current_exception();
      }
    }
    batch->terms.clear();
    batch->rows.clear();
    batch->textBytes = 0;
    batch->textRows = 0;
    batch->declarations = false;

    lock.lock();
    if (failure && !failure_) failure_ = failure;
    spare_.push_back(std::move(batch));
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace paralog
