#ifndef PARALOG_LP_LINE_PIPELINE_H
#define PARALOG_LP_LINE_PIPELINE_H

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "lp/section_lines.h"

namespace paralog {

/// Canonicalises constraint lines on a second thread, strictly in the order
/// they were added, so that generating the text of the next lines overlaps
/// with rendering and storing (or spilling) the previous ones. Lines travel
/// in large batches; at most a few batches wait at once, which bounds memory.
///
/// A line that fails to parse makes every later call of `add` or `drain`
/// throw that failure; lines after it are not stored.
class LinePipeline {
 public:
  LinePipeline();
  /// Stops the thread; lines not yet stored are dropped.
  ~LinePipeline();
  LinePipeline(const LinePipeline&) = delete;
  LinePipeline& operator=(const LinePipeline&) = delete;

  /// Queues `text` for `section`, which must outlive the pipeline's work.
  void add(SectionLines& section, std::string_view text);
  /// Returns once every queued line is stored; rethrows the first failure.
  void drain();

 private:
  struct Batch {
    std::string text;
    std::vector<std::pair<SectionLines*, size_t>> lineEnds;  // section and end offset
  };

  void run();
  void submitCurrent();
  void rethrowFailure();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Batch>> queued_;
  std::vector<std::unique_ptr<Batch>> spare_;
  std::unique_ptr<Batch> current_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread worker_;
};

}  // namespace paralog

#endif  // PARALOG_LP_LINE_PIPELINE_H
