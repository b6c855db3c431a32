#ifndef PARALOG_COMMON_GZIP_SINK_H
#define PARALOG_COMMON_GZIP_SINK_H

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/byte_sink.h"

namespace paralog {

/// Compresses the bytes written to it into gzip and passes the compressed
/// bytes on to another sink: every `memberSize` input bytes become one
/// independent gzip member (a sequence of members is one valid gzip file),
/// compressed on a worker thread while the caller goes on writing.
///
/// `out` must outlive this object, and nobody else may use it from the
/// construction until finish() returns: the worker writes to it. write and
/// finish are called from one thread at a time. At most two blocks wait for
/// the worker, so memory stays within a few times `memberSize`.
class GzipSink : public ByteSink {
 public:
  /// libdeflate's fastest level: about 11 times smaller LP files at over 200 MB/s
  /// on one core; higher levels gain little on LP text and cost much more.
  static constexpr int kDefaultLevel = 1;

  /// REQUIRES: 1 <= level <= 12, memberSize > 0.
  explicit GzipSink(ByteSink& out, int level = kDefaultLevel, size_t memberSize = 4 << 20);
  /// Stops the worker; bytes not yet finished are dropped.
  ~GzipSink() override;
  GzipSink(const GzipSink&) = delete;
  GzipSink& operator=(const GzipSink&) = delete;

  /// Throws the first failure of the worker (compressing, or `out`) once it
  /// is known.
  void write(std::string_view bytes) override;
  /// Compresses what is left, waits until every member is written to
  /// `out` and rethrows the worker's first failure. Call once; at least one
  /// member is written, so that empty input gives a valid gzip file. `out`
  /// is not flushed.
  void finish();

 private:
  void handOver();
  void work();
  void stopWorker();

  ByteSink& out_;
  const int level_;
  const size_t memberSize_;
  std::string current_;
  bool handedAny_ = false;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> queue_;  // blocks waiting for the worker
  std::vector<std::string> spare_;  // emptied blocks for reuse
  bool busy_ = false;               // the worker holds a block
  bool closing_ = false;
  std::exception_ptr failure_;
  std::thread worker_;
};

}  // namespace paralog

#endif  // PARALOG_COMMON_GZIP_SINK_H
