#include "lp/section_lines.h"

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

void SectionLines::appendFormatted(std::string_view lines, uint64_t lineCount) {
  buffer_.append(lines);
  lineCount_ += lineCount;
  if (!spillDirectory_.empty() && buffer_.size() >= memoryLimit_) spill();
}

void SectionLines::spill() {
  if (!spillFile_) {
    spillFile_ = std::make_unique<AnonymousFile>(spillDirectory_);
    spillSink_ = std::make_unique<FdSink>(spillFile_->fd(), "temporary file in " + spillDirectory_, 0);
  }
  spillSink_->write(buffer_);
  spilledBytes_ += buffer_.size();
  buffer_.clear();
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
