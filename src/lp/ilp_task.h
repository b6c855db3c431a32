#ifndef PARALOG_LP_ILP_TASK_H
#define PARALOG_LP_ILP_TASK_H

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/byte_sink.h"
#include "lp/inequality.h"
#include "lp/line_pipeline.h"
#include "lp/section_lines.h"

namespace paralog {

/// The constraint and bound lines of the integer program, grouped by LP
/// section, each line stored in canonical form in the order it was added.
class IlpTask {
 public:
  /// The five sections the writer knows, in the order it writes them.
  static constexpr std::string_view kSectionOrder[5] = {"Minimize", "Subject To", "Bounds",
                                                        "Binary", "General"};

  /// Keeps every line in memory.
  IlpTask() = default;
  /// Moves section text beyond `memoryLimit` bytes into unnamed temporary
  /// files in `spillDirectory` (see SectionLines). With `background`, lines
  /// are canonicalised on a second thread (see LinePipeline): a malformed
  /// line then fails a later addConstraint or finish() instead of its own.
  explicit IlpTask(std::string spillDirectory, size_t memoryLimit = 8 << 20,
                   bool background = false);
  ~IlpTask();
  IlpTask(const IlpTask&) = delete;
  IlpTask& operator=(const IlpTask&) = delete;

  /// Canonicalises `text` and appends it to `section`, creating the section
  /// on first use. Throws std::runtime_error("Provided expression is invalid
  /// inequality") for text that is not an inequality; nothing is stored then.
  void addConstraint(std::string_view section, std::string_view text);

  /// Sends the lines of `section` to `out` as they are added, behind the
  /// section's name line, instead of keeping or spilling them: for writing
  /// the LP file in one pass when everything before the section is known
  /// in advance and already written to `out`. writeSections then writes
  /// only the rest of it, and must be given the same `out`.
  void streamSection(std::string_view section, ByteSink& out);
  /// Stops streaming `section` and takes back what was sent, which the file
  /// `fd` holds from `offset` on, so that the task can be written anew.
  void unstreamSection(std::string_view section, int fd, uint64_t offset);
  /// True when `section` exists and holds at least one line.
  bool hasLines(std::string_view section) const;

  /// Waits until every added line is stored; rethrows a pending failure.
  /// writeSections and lines call it themselves.
  void finish() const;

  /// For each of the five known sections present: its name and "\n", each
  /// line as "\t" line "\n", then one more "\n". Other sections are skipped.
  void writeSections(ByteSink& out) const;

  /// The stored lines of a section (empty if the section does not exist).
  std::vector<std::string> lines(std::string_view section) const;

 private:
  SectionLines& section(std::string_view name);

  std::string spillDirectory_;
  size_t memoryLimit_ = 8 << 20;
  // Mutable because writing a streamed section sends its buffered tail.
  mutable std::map<std::string, SectionLines, std::less<>> sections_;
  LineCanonicalizer canonicalizer_;
  std::unique_ptr<LinePipeline> pipeline_;
};

}  // namespace paralog

#endif  // PARALOG_LP_ILP_TASK_H
