#ifndef PARALOG_COMMON_BYTE_SINK_H
#define PARALOG_COMMON_BYTE_SINK_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace paralog {

/// Destination of output bytes: a string in tests, a file descriptor in a run.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;
  /// Appends `length` bytes of the file open as `fd`, starting at `offset`
  /// (read with pread, so the descriptor's own offset is left alone).
  /// Throws std::runtime_error if the file is shorter or cannot be read.
  virtual void writeFileContent(int fd, uint64_t length, uint64_t offset = 0);
};

/// Appends everything to a caller-owned string.
class StringSink : public ByteSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  void write(std::string_view bytes) override { out_.append(bytes); }

 private:
  std::string& out_;
};

/// Buffered writer over a file descriptor it does not own. Every failed
/// write (full disk, file size limit, I/O error) throws std::runtime_error
/// naming `displayName`, so a run never reports success over lost output.
class FdSink : public ByteSink {
 public:
  FdSink(int fd, std::string displayName, size_t bufferSize = 1 << 20);
  ~FdSink() override = default;  // unflushed bytes are dropped: call flush()
  FdSink(const FdSink&) = delete;
  FdSink& operator=(const FdSink&) = delete;

  void write(std::string_view bytes) override;
  void writeFileContent(int fd, uint64_t length, uint64_t offset = 0) override;
  /// Writes out the buffered bytes; throws on failure.
  void flush();
  /// Total bytes accepted so far.
  uint64_t bytesWritten() const { return total_; }

 private:
  void writeAll(const char* data, size_t size);

  int fd_;
  std::string displayName_;
  std::vector<char> buffer_;
  size_t used_ = 0;
  uint64_t total_ = 0;
};

}  // namespace paralog

#endif  // PARALOG_COMMON_BYTE_SINK_H
