#include "common/byte_sink.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <unistd.h>

namespace paralog {
namespace {

std::runtime_error systemError(const std::string& what, const std::string& name) {
  return std::runtime_error(what + " " + name + ": " + std::strerror(errno));
}

}  // namespace

void ByteSink::writeFileContent(int fd, uint64_t length, uint64_t start) {
  std::vector<char> chunk(1 << 20);
  uint64_t offset = start;
  const uint64_t end = start + length;
  while (offset < end) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(chunk.size(), end - offset));
    const ssize_t got = ::pread(fd, chunk.data(), want, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw systemError("cannot read", "temporary file");
    if (got == 0) throw std::runtime_error("temporary file is shorter than expected");
    write(std::string_view(chunk.data(), static_cast<size_t>(got)));
    offset += static_cast<uint64_t>(got);
  }
}

FdSink::FdSink(int fd, std::string displayName, size_t bufferSize)
    : fd_(fd), displayName_(std::move(displayName)), buffer_(bufferSize) {}

void FdSink::write(std::string_view bytes) {
  total_ += bytes.size();
  if (bytes.size() > buffer_.size() - used_) flush();
  // Large pieces (the writer's chunks) go out as they are: copying them
  // into the buffer first would cost a pass over every byte of the file.
  if (used_ == 0 && bytes.size() >= buffer_.size() / 2) {
    writeAll(bytes.data(), bytes.size());
    return;
  }
  std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void FdSink::writeFileContent(int fd, uint64_t length, uint64_t offset) {
  flush();
  // Copy inside the kernel where it can; fall back to reading and writing.
  loff_t inOffset = static_cast<loff_t>(offset);
  uint64_t copied = 0;
  while (copied < length) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(length - copied, 1ull << 30));
    const ssize_t done = ::copy_file_range(fd, &inOffset, fd_, nullptr, want, 0);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) break;
    copied += static_cast<uint64_t>(done);
  }
  total_ += copied;
  if (copied == length) return;
  if (copied != 0) throw systemError("cannot write", displayName_);
  ByteSink::writeFileContent(fd, length, offset);
}

void FdSink::flush() {
  if (used_ == 0) return;
  const size_t size = used_;
  used_ = 0;
  writeAll(buffer_.data(), size);
}

void FdSink::writeAll(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t done = ::write(fd_, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) throw systemError("cannot write", displayName_);
    if (done == 0) {
      errno = ENOSPC;
      throw systemError("cannot write", displayName_);
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
}

}  // namespace paralog
