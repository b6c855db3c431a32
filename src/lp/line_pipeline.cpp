#include "lp/line_pipeline.h"

#include "lp/inequality.h"

namespace paralog {
namespace {

constexpr size_t kBatchBytes = 1 << 20;
constexpr size_t kMaxQueuedBatches = 4;

}  // namespace

LinePipeline::LinePipeline() : current_(std::make_unique<Batch>()) {
  worker_ = std::thread([this] { run(); });
}

LinePipeline::~LinePipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queued_.clear();
  }
  changed_.notify_all();
  worker_.join();
}

void LinePipeline::add(SectionLines& section, std::string_view text) {
  current_->text.append(text);
  current_->lineEnds.emplace_back(&section, current_->text.size());
  if (current_->text.size() >= kBatchBytes) submitCurrent();
}

void LinePipeline::drain() {
  submitCurrent();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queued_.empty() && !busy_; });
  lock.unlock();
  rethrowFailure();
}

void LinePipeline::rethrowFailure() {
  std::exception_ptr failure;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    failure = failure_;
  }
  if (failure) std::rethrow_exception(failure);
}

void LinePipeline::submitCurrent() {
  if (current_->lineEnds.empty()) {
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

void LinePipeline::run() {
  LineCanonicalizer canonicalizer;
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
        size_t start = 0;
        for (const auto& [section, end] : batch->lineEnds) {
          canonicalizer.parse(std::string_view(batch->text).substr(start, end - start));
          section->appendRendered([&](std::string& out) { canonicalizer.render(out); });
          start = end;
        }
      } catch (...) {
        failure = std::current_exception();
      }
    }
    batch->text.clear();
    batch->lineEnds.clear();

    lock.lock();
    if (failure && !failure_) failure_ = failure;
    spare_.push_back(std::move(batch));
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace paralog
