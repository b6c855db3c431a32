#include "run_setup/output_sinks.h"

namespace paralog {

bool namesGzipFile(const std::string& path) {
  return path.size() >= 3 && path.compare(path.size() - 3, 3, ".gz") == 0;
}

OutputSinks::OutputSinks(int fd, const std::string& displayName, const OutputFormat& format)
    : file_(fd, displayName), portable_(format.portable) {
  if (format.gzip) gzip_ = std::make_unique<GzipSink>(file_);
}

ByteSink& OutputSinks::sink() {
  if (gzip_) return *gzip_;
  return file_;
}

void OutputSinks::finish() {
  if (gzip_) gzip_->finish();
  file_.flush();
}

}  // namespace paralog
