#include "common/gzip_sink.h"

#include <libdeflate.h>

#include <memory>
#include <stdexcept>

namespace paralog {
namespace {

constexpr size_t kMaxQueued = 2;

struct CompressorDeleter {
  void operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
  }
};

}  // namespace

GzipSink::GzipSink(ByteSink& out, int level, size_t memberSize)
    : out_(out), level_(level), memberSize_(memberSize) {
  if (level < 1 || level > 12 || memberSize == 0) {
    throw std::invalid_argument("GzipSink: level must be 1 to 12 and memberSize positive");
  }
  current_.reserve(memberSize_);
  worker_ = std::thread([this] { work(); });
}

GzipSink::~GzipSink() { stopWorker(); }

void GzipSink::stopWorker() {
  if (!worker_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void GzipSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t take = std::min(bytes.size(), memberSize_ - current_.size());
    current_.append(bytes.data(), take);
    bytes.remove_prefix(take);
    if (current_.size() == memberSize_) handOver();
  }
}

void GzipSink::handOver() {
  std::string next;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return failure_ || queue_.size() < kMaxQueued; });
    if (failure_) std::rethrow_exception(failure_);
    queue_.push_back(std::move(current_));
    if (!spare_.empty()) {
      next = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  changed_.notify_all();
  handedAny_ = true;
  current_ = std::move(next);
  current_.clear();
  current_.reserve(memberSize_);
}

void GzipSink::finish() {
  if (!current_.empty() || !handedAny_) handOver();
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return failure_ || (queue_.empty() && !busy_); });
  }
  stopWorker();
  if (failure_) std::rethrow_exception(failure_);
}

void GzipSink::work() {
  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(level_));
  std::string compressed;
  for (;;) {
    std::string block;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return closing_ || !queue_.empty(); });
      if (closing_ || failure_) return;
      block = std::move(queue_.front());
      queue_.pop_front();
      busy_ = true;
    }
    changed_.notify_all();
    try {
      if (!compressor) throw std::runtime_error("cannot start the gzip compressor: out of memory");
      compressed.resize(libdeflate_gzip_compress_bound(compressor.get(), block.size()));
      const size_t size = libdeflate_gzip_compress(compressor.get(), block.data(), block.size(),
                                                   compressed.data(), compressed.size());
      if (size == 0) throw std::runtime_error("gzip compression failed");
      out_.write(std::string_view(compressed.data(), size));
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      failure_ = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      busy_ = false;
      block.clear();
      spare_.push_back(std::move(block));
    }
    changed_.notify_all();
  }
}

}  // namespace paralog
