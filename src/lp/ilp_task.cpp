#include "lp/ilp_task.h"

namespace paralog {

IlpTask::IlpTask(std::string spillDirectory, size_t memoryLimit, bool background)
    : spillDirectory_(std::move(spillDirectory)),
      memoryLimit_(memoryLimit),
      pipeline_(background ? std::make_unique<LinePipeline>() : nullptr) {}

// The pipeline goes first: its thread may still be appending to sections.
IlpTask::~IlpTask() { pipeline_.reset(); }

void IlpTask::finish() const {
  if (pipeline_) pipeline_->drain();
}

SectionLines& IlpTask::section(std::string_view name) {
  auto it = sections_.find(name);
  if (it == sections_.end()) {
    it = sections_.emplace(std::string(name), SectionLines(spillDirectory_, memoryLimit_)).first;
  }
  return it->second;
}

void IlpTask::addConstraint(std::string_view sectionName, std::string_view text) {
  if (pipeline_) {
    pipeline_->add(section(sectionName), text);
    return;
  }
  // Parsed before the section is looked up: a malformed line must not
  // create its section.
  canonicalizer_.parse(text);
  section(sectionName).appendRendered([&](std::string& out) { canonicalizer_.render(out); });
}

void IlpTask::streamSection(std::string_view sectionName, ByteSink& out) {
  finish();
  std::string header(sectionName);
  header += '\n';
  section(sectionName).streamTo(out, std::move(header));
}

void IlpTask::unstreamSection(std::string_view sectionName, int fd, uint64_t offset) {
  finish();
  const auto it = sections_.find(sectionName);
  if (it != sections_.end()) it->second.unstream(fd, offset);
}

bool IlpTask::hasLines(std::string_view sectionName) const {
  finish();
  const auto it = sections_.find(sectionName);
  return it != sections_.end() && !it->second.empty();
}

void IlpTask::writeSections(ByteSink& out) const {
  finish();
  for (std::string_view name : kSectionOrder) {
    const auto it = sections_.find(name);
    if (it == sections_.end()) continue;
    SectionLines& lines = it->second;
    if (lines.streaming()) {
      // Created in advance for streaming, so it may have stayed empty.
      if (lines.empty()) continue;
      lines.finishStream(out);
    } else {
      out.write(name);
      out.write("\n");
      lines.writeTo(out);
    }
    out.write("\n");
  }
}

std::vector<std::string> IlpTask::lines(std::string_view sectionName) const {
  finish();
  const auto it = sections_.find(sectionName);
  if (it == sections_.end()) return {};
  return it->second.lines();
}

}  // namespace paralog
