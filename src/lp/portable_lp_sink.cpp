#include "lp/portable_lp_sink.h"

#include "lp/portable_line.h"

namespace paralog {

void PortableLpSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      partial_.append(bytes);
      return;
    }
    if (!partial_.empty() || next_ != Next::kBody || end > kPortableLineLimit) {
      if (partial_.empty()) {
        takeLine(bytes.substr(0, end));
      } else {
        partial_.append(bytes.substr(0, end));
        takeLine(partial_);
        partial_.clear();
      }
      bytes.remove_prefix(end + 1);
      continue;
    }
    // The bulk of the file: a run of complete lines within the limit passes
    // through as it is.
    size_t run = end + 1;
    for (;;) {
      const size_t next = bytes.find('\n', run);
      if (next == std::string_view::npos || next - run > kPortableLineLimit) break;
      run = next + 1;
    }
    out_.write(bytes.substr(0, run));
    bytes.remove_prefix(run);
  }
}

void PortableLpSink::finish() {
  if (partial_.empty()) return;
  takeLine(partial_);
  partial_.clear();
}

void PortableLpSink::takeLine(std::string_view line) {
  scratch_.clear();
  switch (next_) {
    case Next::kFirstLine:
      next_ = line == "Minimize" ? Next::kObjective : Next::kBody;
      appendWrappedLine(line, scratch_);
      break;
    case Next::kObjective: {
      next_ = Next::kBody;
      std::string merged;
      appendMergedObjective(line, merged);
      appendWrappedLine(merged, scratch_);
      break;
    }
    case Next::kBody:
      appendWrappedLine(line, scratch_);
      break;
  }
  out_.write(scratch_);
}

}  // namespace paralog
