#include "solve/embedded_cbc.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "solve/solution_check.h"

namespace paralog {
namespace {

using Clock = std::chrono::steady_clock;

// How often the progress line may appear.
constexpr std::chrono::seconds kProgressInterval{3};

// The relative gap between the best solution and the best bound, in percent.
double gapPercent(double objective, double bound) {
  return std::fabs(objective - bound) / std::fmax(1.0, std::fabs(objective)) * 100.0;
}

// The state of one solve that CBC's event handler and its clones share.
struct SolveWatch {
  Clock::time_point start;
  Clock::time_point lastProgress;
  std::optional<double> limitSeconds;
  std::ostream* out = nullptr;
  bool timeUp = false;  // the search was stopped at the time limit
};

// Prints a progress line from CBC's search at most every kProgressInterval,
// and stops the search once the time limit (wall-clock) has passed: CBC's
// own limit misses long heuristics and counts processor time.
class ProgressHandler : public CbcEventHandler {
 public:
  explicit ProgressHandler(SolveWatch* watch) : watch_(watch) {}
  CbcEventHandler* clone() const override { return new ProgressHandler(*this); }

  CbcAction event(CbcEvent) override {
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - watch_->start).count();
    if (watch_->limitSeconds && seconds > *watch_->limitSeconds) {
      watch_->timeUp = true;
      return stop;
    }
    // Sub-searches (small branch and bound in heuristics) have a parent
    // model; their numbers are not those of the whole search.
    if (watch_->out == nullptr || model_ == nullptr || model_->parentModel() != nullptr ||
        now - watch_->lastProgress < kProgressInterval) {
      return noAction;
    }
    watch_->lastProgress = now;
    const double bound = model_->getBestPossibleObjValue();
    std::string line = "solving: " + std::to_string(static_cast<long long>(seconds)) + " s";
    if (model_->bestSolution() != nullptr) {
      const double objective = model_->getObjValue();
      char gap[32];
      std::snprintf(gap, sizeof gap, "%.2f%%", gapPercent(objective, bound));
      line += ", best solution " + formatNumber(objective) + ", best bound " + formatNumber(bound) +
              ", gap " + gap;
    } else {
      line += ", no solution yet, best bound " + formatNumber(bound);
    }
    *watch_->out << line << std::endl;
    return noAction;
  }

 private:
  SolveWatch* watch_;  // owned by solveWithCbc, outlives every clone
};

void loadProgram(const LinearProgram& program, OsiClpSolverInterface& solver) {
  const auto& variables = program.variables();
  const double infinity = solver.getInfinity();
  std::vector<double> columnLower, columnUpper, objective;
  for (const ProgramVariable& variable : variables) {
    columnLower.push_back(variable.lower);
    columnUpper.push_back(std::isinf(variable.upper) ? infinity : variable.upper);
    objective.push_back(variable.objective);
  }
  CoinPackedMatrix matrix(false, 0, 0);
  matrix.setDimensions(0, static_cast<int>(variables.size()));
  std::vector<double> rowLower, rowUpper;
  std::vector<int> indices;
  std::vector<double> elements;
  for (const ProgramRow& row : program.rows()) {
    indices.clear();
    elements.clear();
    for (const auto& [index, coefficient] : row.terms) {
      indices.push_back(index);
      elements.push_back(coefficient);
    }
    matrix.appendRow(static_cast<int>(indices.size()), indices.data(), elements.data());
    rowLower.push_back(row.relation == Relation::kLessEqual ? -infinity : row.rhs);
    rowUpper.push_back(row.relation == Relation::kGreaterEqual ? infinity : row.rhs);
  }
  solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), objective.data(),
                     rowLower.data(), rowUpper.data());
  for (size_t i = 0; i < variables.size(); ++i) {
    if (variables[i].kind != ProgramVariableKind::kContinuous) solver.setInteger(static_cast<int>(i));
  }
}

// CBC calls this at several points of CbcMain1; nothing to do there.
int noCallback(CbcModel*, int) { return 0; }

SolutionStatus statusOf(const CbcModel& model, bool hasSolution, bool timeUp) {
  if (timeUp || model.secondaryStatus() == 4) return SolutionStatus::kTimeLimit;
  if (model.isProvenOptimal() && hasSolution) return SolutionStatus::kOptimal;
  if (model.isProvenInfeasible()) return SolutionStatus::kInfeasible;
  if (model.secondaryStatus() == 5) return SolutionStatus::kInterrupted;
  return hasSolution ? SolutionStatus::kFeasible : SolutionStatus::kInfeasible;
}

}  // namespace

SolveResult solveWithCbc(const LinearProgram& program, const SolveOptions& options) {
  const Clock::time_point start = Clock::now();
  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  loadProgram(program, solver);

  CbcModel model(solver);
  model.setLogLevel(0);
  model.messageHandler()->setLogLevel(0);
  CbcSolverUsefulData data;
  data.noPrinting_ = true;
  data.useSignalHandler_ = true;
  CbcMain0(model, data);
  SolveWatch watch{start, start, options.timeLimitSeconds, options.progress};
  ProgressHandler handler(&watch);
  model.passInEventHandler(&handler);

  std::vector<std::string> arguments = {"paralog-ilp", "-log", "0", "-slog", "0",
                                        "-timeMode", "elapsed"};
  if (options.threads > 1) {
    arguments.insert(arguments.end(), {"-threads", std::to_string(options.threads)});
  }
  if (options.timeLimitSeconds) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", *options.timeLimitSeconds);
    arguments.insert(arguments.end(), {"-sec", seconds});
  }
  arguments.insert(arguments.end(), {"-solve", "-quit"});
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  CbcMain1(static_cast<int>(argv.size()), argv.data(), model, noCallback, data);

  SolveResult result;
  const double* best = model.bestSolution();
  result.solution.status = statusOf(model, best != nullptr, watch.timeUp);
  result.bestBound = model.getBestPossibleObjValue();
  if (best != nullptr) {
    result.solution.values.assign(best, best + program.variables().size());
    result.solution.objective = model.getObjValue();
  }
  return result;
}

}  // namespace paralog
