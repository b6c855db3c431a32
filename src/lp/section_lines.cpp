#include "lp/section_lines.h"

#include <stdexcept>

namespace paralog {

SectionLines::SectionLines(std::string spillDirectory, size_t memoryLimit)
    : spillDirectory_(std::move(spillDirectory)), memoryLimit_(memoryLimit) {}

void SectionLines::append(std::string_view line) {
  buffer_ += '\t';
  buffer_.append(line);
  buffer_ += '\n';
  ++lineCount_;
  if (!spillDirectory_.empty() && buffer_.size() >= memoryLimit_) spill();
}

void SectionLines::spill() {
  if (stream_ != nullptr) {
    if (buffer_.empty()) return;
    if (streamedBytes_ == 0) stream_->write(streamHeader_);
    stream_->write(buffer_);
    streamedBytes_ += buffer_.size();
    buffer_.clear();
    return;
  }
  if (!spillFile_) {
    spillFile_ = std::make_unique<AnonymousFile>(spillDirectory_);
    spillSink_ = std::make_unique<FdSink>(spillFile_->fd(), "temporary file in " + spillDirectory_, 0);
  }
  spillSink_->write(buffer_);
  spilledBytes_ += buffer_.size();
  buffer_.clear();
}

void SectionLines::streamTo(ByteSink& out, std::string header) {
  if (lineCount_ != 0) throw std::logic_error("only an empty section can be streamed");
  stream_ = &out;
  streamHeader_ = std::move(header);
}

void SectionLines::finishStream(ByteSink& out) {
  if (&out != stream_) throw std::logic_error("a streamed section can only be finished on its stream");
  if (lineCount_ == 0) return;
  spill();
}

void SectionLines::unstream(int fd, uint64_t offset) {
  ByteSink* const stream = stream_;
  stream_ = nullptr;
  if (stream == nullptr || streamedBytes_ == 0) return;
  spillFile_ = std::make_unique<AnonymousFile>(spillDirectory_);
  spillSink_ = std::make_unique<FdSink>(spillFile_->fd(), "temporary file in " + spillDirectory_, 0);
  spillSink_->writeFileContent(fd, streamedBytes_, offset + streamHeader_.size());
  spilledBytes_ = streamedBytes_;
  streamedBytes_ = 0;
}

void SectionLines::writeTo(ByteSink& out) const {
  if (spilledBytes_ > 0) out.writeFileContent(spillFile_->fd(), spilledBytes_);
  out.write(buffer_);
}

std::vector<std::string> SectionLines::lines() const {
  std::string all;
  StringSink sink(all);
  writeTo(sink);
  std::vector<std::string> result;
  size_t start = 0;
  while (start < all.size()) {
    const size_t end = all.find('\n', start);
    result.emplace_back(all.substr(start + 1, end - start - 1));
    start = end + 1;
  }
  return result;
}

}  // namespace paralog
