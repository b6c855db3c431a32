#ifndef PARALOG_LP_SECTION_LINES_H
#define PARALOG_LP_SECTION_LINES_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/anonymous_file.h"
#include "common/byte_sink.h"

namespace paralog {

/// The lines of one LP section in the order they were added, held as the
/// very bytes the writer emits ("\t" line "\n") in one growing block rather
/// than one string per line. With a spill directory, the block moves to an
/// unnamed temporary file there whenever it passes `memoryLimit`, so a
/// section of gigabytes costs only the limit in memory. A section can also
/// be streamed: its text then goes straight to the final output as it
/// grows, behind a header written before its first line.
class SectionLines {
 public:
  /// An empty `spillDirectory` keeps every line in memory.
  explicit SectionLines(std::string spillDirectory = {}, size_t memoryLimit = 8 << 20);

  void append(std::string_view line);
  /// Appends the line that render(std::string& out) appends to `out`,
  /// written straight into the section's buffer. If render throws, the
  /// section is left as it was.
  template <typename Render>
  void appendRendered(Render&& render) {
    const size_t mark = buffer_.size();
    buffer_ += '\t';
    try {
      render(buffer_);
    } catch (...) {
      buffer_.resize(mark);
      throw;
    }
    buffer_ += '\n';
    ++lineCount_;
    if (buffer_.size() >= memoryLimit_ && (stream_ != nullptr || !spillDirectory_.empty())) spill();
  }

  uint64_t lineCount() const { return lineCount_; }
  bool empty() const { return lineCount_ == 0; }

  /// Writes every line as "\t" line "\n", in order.
  void writeTo(ByteSink& out) const;

  /// From now on the text goes to `out` whenever the buffer passes the
  /// memory limit, with `header` written once before the first line. The
  /// section must still be empty. The
  /// caller must already have written to `out` everything that precedes
  /// the section, and `out` is written by whichever thread adds the lines.
  void streamTo(ByteSink& out, std::string header);
  bool streaming() const { return stream_ != nullptr; }
  /// Writes what the stream still lacks to `out`, which must be the stream:
  /// the header if no line has left yet (and there is a line), then the
  /// buffered lines.
  void finishStream(ByteSink& out);
  /// Ends streaming and takes back the streamed text, which the file `fd`
  /// holds from `offset` on (header first), as a spilled part of the
  /// section. Needs a spill directory if anything was streamed.
  void unstream(int fd, uint64_t offset);
  /// The stored lines without tab or line end (reads back a spilled part).
  std::vector<std::string> lines() const;

 private:
  void spill();

  std::string spillDirectory_;
  size_t memoryLimit_;
  std::string buffer_;
  std::unique_ptr<AnonymousFile> spillFile_;
  std::unique_ptr<FdSink> spillSink_;
  uint64_t spilledBytes_ = 0;
  uint64_t lineCount_ = 0;
  ByteSink* stream_ = nullptr;
  std::string streamHeader_;
  uint64_t streamedBytes_ = 0;  ///< line bytes sent, header not counted
};

}  // namespace paralog

#endif  // PARALOG_LP_SECTION_LINES_H
