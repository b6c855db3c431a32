#ifndef PARALOG_RUN_SETUP_OUTPUT_SINKS_H
#define PARALOG_RUN_SETUP_OUTPUT_SINKS_H

#include <cstdint>
#include <memory>
#include <string>

#include "common/byte_sink.h"
#include "common/gzip_sink.h"
#include "lp/lp_writer.h"

namespace paralog {

/// How the LP bytes are encoded on their way into the output file.
struct OutputFormat {
  bool portable = false;  ///< written in LpLayout::kPortable
  bool gzip = false;      ///< compressed by GzipSink
};

/// True when `path` asks for a gzip file: it ends in ".gz".
bool namesGzipFile(const std::string& path);

/// The sinks between the LP writer and an output descriptor: GzipSink (if
/// asked for), then an FdSink on `fd`. The writer writes the LP bytes, in
/// layout(), into sink(); finish() completes and flushes every stage in
/// order. Owns the sinks, not the descriptor,
/// which must stay open while this object lives. One thread at a time.
class OutputSinks {
 public:
  OutputSinks(int fd, const std::string& displayName, const OutputFormat& format);
  OutputSinks(const OutputSinks&) = delete;
  OutputSinks& operator=(const OutputSinks&) = delete;

  /// Where the LP bytes go.
  ByteSink& sink();
  /// The layout the writer must give the LP file.
  LpLayout layout() const { return portable_ ? LpLayout::kPortable : LpLayout::kDefault; }
  /// True when the bytes reach the descriptor unchanged, so that the
  /// descriptor's content can be read back as LP text.
  bool plain() const { return !portable_ && !gzip_; }
  /// Bytes handed to the descriptor's sink so far (all of them only after
  /// finish()).
  uint64_t fileBytes() const { return file_.bytesWritten(); }
  /// Writes what every stage still holds and flushes the descriptor's
  /// buffer; throws std::runtime_error on a failed write. Call once.
  void finish();

 private:
  FdSink file_;
  std::unique_ptr<GzipSink> gzip_;
  bool portable_;
};

}  // namespace paralog

#endif  // PARALOG_RUN_SETUP_OUTPUT_SINKS_H
