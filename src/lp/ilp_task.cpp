#include "lp/ilp_task.h"

namespace paralog {

IlpTask::IlpTask(std::string spillDirectory, size_t memoryLimit)
    : spillDirectory_(std::move(spillDirectory)), memoryLimit_(memoryLimit) {}

SectionLines& IlpTask::section(std::string_view name) {
  auto it = sections_.find(name);
  if (it == sections_.end()) {
    it = sections_.emplace(std::string(name), SectionLines(spillDirectory_, memoryLimit_)).first;
  }
  return it->second;
}

void IlpTask::addConstraint(std::string_view sectionName, std::string_view text) {
  rendered_.clear();
  canonicalizer_.canonicalize(text, rendered_);
  section(sectionName).append(rendered_);
}

void IlpTask::appendCanonical(std::string_view sectionName, std::string_view formattedLines,
                              uint64_t lineCount) {
  section(sectionName).appendFormatted(formattedLines, lineCount);
}

void IlpTask::writeSections(ByteSink& out) const {
  for (std::string_view name : kSectionOrder) {
    const auto it = sections_.find(name);
    if (it == sections_.end()) continue;
    out.write(name);
    out.write("\n");
    it->second.writeTo(out);
    out.write("\n");
  }
}

std::vector<std::string> IlpTask::lines(std::string_view sectionName) const {
  const auto it = sections_.find(sectionName);
  if (it == sections_.end()) return {};
  return it->second.lines();
}

}  // namespace paralog
