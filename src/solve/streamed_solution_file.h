#ifndef PARALOG_SOLVE_STREAMED_SOLUTION_FILE_H
#define PARALOG_SOLVE_STREAMED_SOLUTION_FILE_H

#include <optional>
#include <string_view>

#include "common/byte_sink.h"
#include "lp/program_consumer.h"
#include "solution_files/cbc_solution_writer.h"
#include "solver/named_values.h"
#include "solver/solution.h"

namespace paralog {

/// Writes an assignment given by name (see NamedValues) as a CBC solution
/// file while the program is delivered, keeping nothing of the program: a
/// consumer that takes each variable's cost from the objective, ignores the
/// rows and writes one line per declared variable, binary names first, each
/// in byte order. Tee it with a StreamedSolutionCheck and commit the file
/// only once the check has passed.
///
/// Does not own `sink` or `values`, which must outlive it; the caller
/// flushes the sink. One thread at a time (ProgramConsumer).
class StreamedSolutionFile : public ProgramConsumer {
 public:
  StreamedSolutionFile(ByteSink& sink, const NamedValues& values, SolutionStatus status);

  /// Writes the first line, with the objective at the values.
  void objective(const TermList& terms) override;
  void row(Section, TermSpan, Relation, int32_t) override {}
  void declare(VariableKind kind, std::string_view name) override;
  void end() override {}

 private:
  ByteSink& sink_;
  const NamedValues& values_;
  SolutionStatus status_;
  NamedValues costs_;  ///< the objective's coefficients, repeated names summed
  std::optional<CbcSolutionWriter> writer_;
};

}  // namespace paralog

#endif  // PARALOG_SOLVE_STREAMED_SOLUTION_FILE_H
