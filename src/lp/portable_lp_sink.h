#ifndef PARALOG_LP_PORTABLE_LP_SINK_H
#define PARALOG_LP_PORTABLE_LP_SINK_H

#include <string>
#include <string_view>

#include "common/byte_sink.h"

namespace paralog {

/// Turns the LP file's bytes, as they stream through it, into the portable
/// form: the objective (the line after a first line "Minimize") with each
/// variable's repeated terms merged (appendMergedObjective), every line
/// longer than kPortableLineLimit broken (appendWrappedLine), and a line
/// end after the last line. Every other byte passes unchanged.
///
/// Owns nothing but a partial line; `out` must outlive it. Not thread-safe:
/// one thread at a time calls write and finish.
class PortableLpSink : public ByteSink {
 public:
  explicit PortableLpSink(ByteSink& out) : out_(out) {}
  PortableLpSink(const PortableLpSink&) = delete;
  PortableLpSink& operator=(const PortableLpSink&) = delete;

  void write(std::string_view bytes) override;
  /// Writes the last line (in the default file "End", without a line end)
  /// followed by "\n". Call once, after the last write; `out` is not
  /// flushed.
  void finish();

 private:
  enum class Next { kFirstLine, kObjective, kBody };

  // Handles one complete line, given without its line end.
  void takeLine(std::string_view line);

  ByteSink& out_;
  Next next_ = Next::kFirstLine;
  std::string partial_;
  std::string scratch_;
};

}  // namespace paralog

#endif  // PARALOG_LP_PORTABLE_LP_SINK_H
