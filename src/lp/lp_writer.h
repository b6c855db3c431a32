#ifndef PARALOG_LP_LP_WRITER_H
#define PARALOG_LP_LP_WRITER_H

#include <cstdint>
#include <string>

#include "common/byte_sink.h"
#include "lp/program_consumer.h"

namespace paralog {

/// The one place that knows the LP file's layout: "Minimize" and the
/// objective, "Subject To" and "Bounds" (each only when it has a row, rows
/// as "\t" line "\n", an empty line after), "Binary" and "General" with one
/// "\t" name "\n" per declaration, and "End" without a line end.
///
/// "Subject To" rows go to the sink as they come, so the largest section is
/// never held; "Bounds" rows (a number in proportion to the genomes) wait
/// in memory until the first declaration. Does not own `out`, which must
/// outlive the writer; the writer does not flush it.
class LpWriter : public ProgramConsumer {
 public:
  explicit LpWriter(ByteSink& out) : out_(out) {}

  void objective(const TermList& terms) override;
  void row(Section section, const TermList& terms, Relation relation, int32_t rhs) override;
  void declare(VariableKind kind, std::string_view name) override;
  void end() override;

 private:
  void closeRows();

  ByteSink& out_;
  std::string line_;
  std::string bounds_;
  uint64_t subjectToRows_ = 0;
  enum class Stage { kRows, kBinary, kGeneral } stage_ = Stage::kRows;
};

}  // namespace paralog

#endif  // PARALOG_LP_LP_WRITER_H
