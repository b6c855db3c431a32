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

void IlpTask::appendCanonical(std::string_view sectionName, std::string_view formattedLines,
                              uint64_t lineCount) {
  finish();
  section(sectionName).appendFormatted(formattedLines, lineCount);
}

void IlpTask::writeSections(ByteSink& out) const {
  finish();
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
  finish();
  const auto it = sections_.find(sectionName);
  if (it == sections_.end()) return {};
  return it->second.lines();
}

}  // namespace paralog
