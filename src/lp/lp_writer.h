#ifndef PARALOG_LP_LP_WRITER_H
#define PARALOG_LP_LP_WRITER_H

#include <cstdint>
#include <string_view>
#include <string>
#include <vector>

#include "common/byte_sink.h"
#include "lp/program_consumer.h"

namespace paralog {

/// The two forms of the LP file: the default one, and the portable one
/// (lp/portable_line.h) that every LP reader takes alike: the objective
/// names each variable once, lines longer than kPortableLineLimit are
/// broken, and "End" is followed by a line end.
enum class LpLayout { kDefault, kPortable };

/// The one place that knows the LP file's layout: "Minimize" and the
/// objective, "Subject To" and "Bounds" (each only when it has a row, rows
/// as "\t" line "\n", an empty line after), "Binary" and "General" with one
/// "\t" name "\n" per declaration, and "End" without a line end.
///
/// "Subject To" rows and declarations are rendered straight into a chunk of
/// about 1 MiB that goes to the sink whenever it is full, so the largest
/// section is never held; "Bounds" rows (a number in proportion to the
/// genomes) wait in memory until the first declaration. Everything reaches
/// the sink by end(); after an exception, bytes still in the chunk are
/// dropped. Does not own `out`, which must outlive the writer; the writer
/// does not flush it. One thread at a time. In the portable layout, rows
/// that arrive rendered must come wrapped (wrapsRenderedRows).
class LpWriter : public ProgramConsumer {
 public:
  explicit LpWriter(ByteSink& out, LpLayout layout = LpLayout::kDefault);

  void objective(const TermList& terms) override;
  void row(Section section, TermSpan terms, Relation relation, int32_t rhs) override;
  bool takesRenderedRows() const override { return true; }
  bool wrapsRenderedRows() const override { return layout_ == LpLayout::kPortable; }
  /// Large runs of lines go to the sink as they are, without a copy.
  void renderedRows(std::string_view lines, uint64_t count) override;
  void declare(VariableKind kind, std::string_view name) override;
  /// Large runs of declarations go to the sink as they are, like rows.
  void renderedDeclarations(VariableKind kind, std::string_view lines, uint64_t count) override;
  void end() override;

 private:
  /// Opens the section of `kind` if needed (after the rows, or "General"
  /// after "Binary").
  void openDeclarations(VariableKind kind);
  /// Sends `lines` as they are when large, else through the chunk.
  void putLines(std::string_view lines);
  void openSubjectTo(uint64_t rows);
  void closeRows();
  /// Room for `bytes` more bytes at the end of the chunk (sent on first).
  char* reserve(size_t bytes);
  void put(std::string_view bytes);
  void sendChunk();
  /// Puts `line` ("\t" row, no line end) broken as the portable form asks.
  void putWrapped(std::string_view line);

  ByteSink& out_;
  const LpLayout layout_;
  std::vector<char> chunk_;
  size_t used_ = 0;
  std::string bounds_;
  uint64_t subjectToRows_ = 0;
  enum class Stage { kRows, kBinary, kGeneral } stage_ = Stage::kRows;
};

}  // namespace paralog

#endif  // PARALOG_LP_LP_WRITER_H
