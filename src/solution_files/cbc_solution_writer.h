#ifndef PARALOG_SOLUTION_FILES_CBC_SOLUTION_WRITER_H
#define PARALOG_SOLUTION_FILES_CBC_SOLUTION_WRITER_H

#include <cstdint>
#include <string>
#include <string_view>

#include "common/byte_sink.h"
#include "solver/solution.h"

namespace paralog {

/// Writes an assignment in the layout of CBC's "solu" command, which the
/// CBC reader of solution files takes back: a first line with the status
/// phrase and " - objective value ", then one line "index name value cost"
/// per variable. Unlike CBC, which leaves out zeros, it writes every
/// variable it is given, so the file holds the whole assignment. Indices
/// count from 0 in the order of add(). Does not own `sink`, which must
/// outlive the writer; the caller flushes it.
class CbcSolutionWriter {
 public:
  /// Writes the first line. `status` may not be kInfeasible: such a
  /// search has no solution to write (std::logic_error).
  CbcSolutionWriter(ByteSink& sink, SolutionStatus status, double objective);

  /// One variable's line: its value and its objective coefficient.
  void add(std::string_view name, double value, double cost);

 private:
  ByteSink& sink_;
  uint64_t index_ = 0;
  std::string line_;
};

}  // namespace paralog

#endif  // PARALOG_SOLUTION_FILES_CBC_SOLUTION_WRITER_H
