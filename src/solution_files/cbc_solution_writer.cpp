#include "solution_files/cbc_solution_writer.h"

#include <cstdio>
#include <stdexcept>

#include "solver/solution_check.h"

namespace paralog {
namespace {

// The phrase CBC starts its first line with, as the reader tells them
// apart; CBC has none for a solution of unknown optimality.
const char* statusPhrase(SolutionStatus status) {
  switch (status) {
    case SolutionStatus::kOptimal:
      return "Optimal";
    case SolutionStatus::kTimeLimit:
      return "Stopped on time";
    case SolutionStatus::kInterrupted:
      return "Stopped on ctrl-c";
    case SolutionStatus::kFeasible:
      return "Feasible";
    case SolutionStatus::kInfeasible:
      break;
  }
  throw std::logic_error("internal error: no solution to write for an infeasible program");
}

}  // namespace

CbcSolutionWriter::CbcSolutionWriter(ByteSink& sink, SolutionStatus status, double objective)
    : sink_(sink) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%s - objective value %.8f\n", statusPhrase(status),
                objective + 0.0);
  sink_.write(buffer);
}

void CbcSolutionWriter::add(std::string_view name, double value, double cost) {
  char index[24];
  std::snprintf(index, sizeof index, "%7llu ", static_cast<unsigned long long>(index_++));
  line_ = index;
  line_.append(name);
  const std::string valueText = formatNumber(value);
  const std::string costText = formatNumber(cost);
  // Columns as CBC lines them up, one blank at least between fields.
  line_.append(name.size() < 22 ? 22 - name.size() : 0, ' ');
  line_.append(valueText.size() < 15 ? 16 - valueText.size() : 1, ' ');
  line_ += valueText;
  line_.append(costText.size() < 23 ? 24 - costText.size() : 1, ' ');
  line_ += costText;
  line_ += '\n';
  sink_.write(line_);
}

}  // namespace paralog
