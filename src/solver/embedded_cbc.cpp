#include "solver/embedded_cbc.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "solver/relative_gap.h"
#include "solver/root_relaxation.h"
#include "solver/solution_check.h"

namespace paralog {
namespace {

using Clock = std::chrono::steady_clock;

// How often the progress line may appear.
constexpr std::chrono::seconds kProgressInterval{3};
// How long CBC may take to come back once told to stop: at the time limit
// (CBC stops itself there too, but may be inside a long step), and on a
// stop request (CBC sees it at its next event only).
constexpr std::chrono::milliseconds kTimeLimitGrace{1500};
constexpr std::chrono::milliseconds kInterruptGrace{800};
// How far past the deadline CBC's own time limit lies: none, as its clock
// is set against the control's at every event.
constexpr double kCbcLimitSlack = 0;
// How often the waiting thread looks at the control.
constexpr std::chrono::milliseconds kPoll{20};

// What one search shares between the thread that runs CBC, the event
// handler's clones (on CBC's threads) and the thread that waits. Both
// threads hold it through a shared_ptr, so a search left running touches
// only memory it owns.
struct Search {
  Clock::time_point start;
  size_t columns = 0;           // the program's variable count
  std::optional<Clock::time_point> deadline;
  std::ostream* out = nullptr;  // progress lines; not owned
  std::string phase;            // named in progress lines, when not empty
  std::atomic<bool> stopAsked{false};
  std::atomic<bool> finished{false};
  // CBC sent an event: its root relaxation (which sends none) is over.
  std::atomic<bool> eventSeen{false};
  std::mutex mutex;                  // guards the fields below
  Clock::time_point lastProgress;    // when the last progress line went out
  std::vector<double> bestInColumns;  // the best solution met in the program's columns
  double bestObjective = 0;
  double lastBound = NAN;  // the whole search's bound at its latest event
  // The best bound proved outside CBC's search (the caller's, the root
  // relaxation's); NaN when none.
  double provenBound = NAN;
  bool rootSolved = false;  // the root relaxation's optimum is known
  bool cbcRan = false;  // CbcMain1 was called (set before it is)
  std::string failure;  // what CBC threw, if it did

  OsiClpSolverInterface solver;
  std::unique_ptr<CbcModel> model;  // made from `solver` before the search starts
  CbcSolverUsefulData data;
  // The caller's memory that this search keeps (SolveOptions::keptBySearch).
  std::shared_ptr<const void> kept;
};

// Stops the search at the first event after a stop was asked for, keeps
// the best solution it meets in the program's own columns (a search left
// running cannot hand over its final one), and prints a progress line at
// most every kProgressInterval.
class SearchHandler : public CbcEventHandler {
 public:
  explicit SearchHandler(Search* search) : search_(search) {}
  CbcEventHandler* clone() const override { return new SearchHandler(*this); }

  CbcAction event(CbcEvent) override {
    search_->eventSeen.store(true);
    if (model_ == nullptr) return noAction;
    if (search_->stopAsked.load()) {
      // Heuristics and cut passes look at the time limit, not at events.
      model_->setMaximumSeconds(0);
      return stop;
    }
    if (search_->deadline) alignTimeLimit();
    // Sub-searches (small branch and bound in heuristics) have a parent
    // model; their numbers are not those of the whole search.
    if (model_->parentModel() != nullptr) return noAction;
    keepSolution();
    keepBound();
    printProgress();
    return noAction;
  }

 private:
  void alignTimeLimit();
  void keepSolution();
  void keepBound();
  void printProgress();

  Search* search_;  // outlives the model that owns every clone
};

// CBC's own time limit, which its phases without events look at, put just
// past the deadline on CBC's clock. Set on every event because CBC counts
// preprocessing twice against a limit given on its command line.
void SearchHandler::alignTimeLimit() {
  const double left =
      std::max(0.0, std::chrono::duration<double>(*search_->deadline - Clock::now()).count());
  model_->setMaximumSeconds(model_->getCurrentSeconds() + left + kCbcLimitSlack);
}

void SearchHandler::keepSolution() {
  const double* best = model_->bestSolution();
  if (best == nullptr || static_cast<size_t>(model_->getNumCols()) != search_->columns) return;
  const double objective = model_->getObjValue();
  std::lock_guard<std::mutex> lock(search_->mutex);
  if (!search_->bestInColumns.empty() && objective >= search_->bestObjective) return;
  search_->bestInColumns.assign(best, best + search_->columns);
  search_->bestObjective = objective;
}

// A bound proved at an event stays proved: a search left running reports
// the last one.
void SearchHandler::keepBound() {
  const double bound = model_->getBestPossibleObjValue();
  std::lock_guard<std::mutex> lock(search_->mutex);
  search_->lastBound = std::isnan(search_->provenBound) ? bound : std::max(bound, search_->provenBound);
}

void SearchHandler::printProgress() {
  if (search_->out == nullptr) return;
  const Clock::time_point now = Clock::now();
  std::lock_guard<std::mutex> lock(search_->mutex);
  if (now - search_->lastProgress < kProgressInterval) return;
  search_->lastProgress = now;
  const double seconds = std::chrono::duration<double>(now - search_->start).count();
  const double bound = search_->lastBound;
  std::string line = "solving: " + std::to_string(static_cast<long long>(seconds)) + " s";
  if (!search_->phase.empty()) line += ", " + search_->phase;
  if (model_->bestSolution() != nullptr) {
    const double objective = model_->getObjValue();
    char gap[32];
    std::snprintf(gap, sizeof gap, "%.2f%%", relativeGapPercent(objective, bound));
    line += ", best solution " + formatNumber(objective) + ", best bound " + formatNumber(bound) +
            ", gap " + gap;
  } else {
    line += ", no solution yet, best bound " + formatNumber(bound);
  }
  *search_->out << line << std::endl;
}

// The progress line while CBC preprocesses and solves the root
// relaxation, which send no events: a user sees where the time goes.
void printRootProgress(Search& search) {
  if (search.out == nullptr) return;
  const Clock::time_point now = Clock::now();
  std::lock_guard<std::mutex> lock(search.mutex);
  if (now - search.lastProgress < kProgressInterval || search.eventSeen.load()) return;
  search.lastProgress = now;
  const double seconds = std::chrono::duration<double>(now - search.start).count();
  const std::string bound =
      std::isnan(search.lastBound) ? "no bound yet" : "best bound " + formatNumber(search.lastBound);
  *search.out << "solving: " << static_cast<long long>(seconds) << " s"
              << (search.phase.empty() ? "" : ", " + search.phase)
              << (search.rootSolved ? ", root cuts, " : ", root relaxation, ") << bound << std::endl;
}

// Waits as SolveControl::waitUntilStop does, printing the root's progress
// lines until CBC's first event.
std::optional<StopReason> waitForSearch(Search& search, const SolveControl& control) {
  // Looks again after a millisecond at first, backing off to kPoll: the
  // searches of thousands of small parts end within a millisecond each.
  Clock::duration backOff = std::chrono::milliseconds(1);
  for (;;) {
    if (search.finished.load()) return std::nullopt;
    if (std::optional<StopReason> reason = control.stopReason()) return reason;
    if (!search.eventSeen.load()) printRootProgress(search);
    Clock::duration nap = backOff;
    if (const auto deadline = control.deadline()) {
      nap = std::min(nap, std::max(Clock::duration::zero(), *deadline - Clock::now()));
    }
    std::this_thread::sleep_for(nap);
    backOff = std::min<Clock::duration>(backOff * 2, kPoll);
  }
}

void loadProgram(const LinearProgram& program, OsiClpSolverInterface& solver) {
  const auto& variables = program.variables();
  const double infinity = solver.getInfinity();
  std::vector<double> columnLower, columnUpper, objective;
  for (const ProgramVariable& variable : variables) {
    columnLower.push_back(variable.lower);
    columnUpper.push_back(std::isinf(variable.upper) ? infinity : variable.upper);
    objective.push_back(variable.objective);
  }
  // Rows in compressed form, handed over in one piece: appending them one
  // by one would copy the growing matrix again and again.
  std::vector<CoinBigIndex> starts;
  std::vector<int> lengths;
  std::vector<int> indices;
  std::vector<double> elements;
  std::vector<double> rowLower, rowUpper;
  for (const ProgramRow& row : program.rows()) {
    starts.push_back(static_cast<CoinBigIndex>(indices.size()));
    lengths.push_back(static_cast<int>(row.terms.size()));
    for (const auto& [index, coefficient] : row.terms) {
      indices.push_back(index);
      elements.push_back(coefficient);
    }
    rowLower.push_back(row.relation == Relation::kLessEqual ? -infinity : row.rhs);
    rowUpper.push_back(row.relation == Relation::kGreaterEqual ? infinity : row.rhs);
  }
  const CoinPackedMatrix matrix(false, static_cast<int>(variables.size()),
                                static_cast<int>(program.rows().size()),
                                static_cast<CoinBigIndex>(indices.size()), elements.data(),
                                indices.data(), starts.data(), lengths.data());
  solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), objective.data(),
                     rowLower.data(), rowUpper.data());
  for (size_t i = 0; i < variables.size(); ++i) {
    if (variables[i].kind != VariableKind::kContinuous) solver.setInteger(static_cast<int>(i));
  }
}

// CBC's integer preprocessing (CglPreProcess) is turned off: on some of
// our programs it, together with the cuts CBC then derives, cuts off the
// optimum, and CBC reports a worse matching as proven optimal (a 5-copy
// pair whose optimum is -12 came back "optimal" at -10). The LP presolve
// of each relaxation stays on; it keeps every integer solution. Turning
// the preprocessing off costs little on the compact model (README, "The
// solve benchmark"), which is all but free of what it removes.
void addPreprocessingSettings(std::vector<std::string>& arguments) {
  arguments.insert(arguments.end(), {"-preprocess", "off"});
}

// The search that runs on this thread, for the callback of CbcMain1, which
// takes no pointer of the caller's; set by runSearch for its duration.
thread_local Search* searchOfThisThread = nullptr;

// CBC calls this at several points of CbcMain1; at 3 with the model that
// the branch and bound is about to search (after preprocessing), whose
// root heuristics and cut passes look only at its time limit.
int onCbcStage(CbcModel* model, int stage) {
  if (stage != 3 || model == nullptr || searchOfThisThread == nullptr) return 0;
  const Search& search = *searchOfThisThread;
  if (search.stopAsked.load()) {
    model->setMaximumSeconds(0);
  } else if (search.deadline) {
    const double left =
        std::max(0.0, std::chrono::duration<double>(*search.deadline - Clock::now()).count());
    model->setMaximumSeconds(model->getCurrentSeconds() + left + kCbcLimitSlack);
  }
  return 0;
}

// The root's linear relaxation, solved in the solver that CBC will search
// (which then starts from its basis), its optimum kept as a proven bound.
void solveRoot(Search& search) {
  auto* solver = dynamic_cast<OsiClpSolverInterface*>(search.model->solver());
  if (solver == nullptr) return;
  const std::optional<double> bound = solveRootRelaxation(*solver, search.stopAsked);
  if (!bound) return;
  std::lock_guard<std::mutex> lock(search.mutex);
  search.rootSolved = true;
  if (std::isnan(search.provenBound) || *bound > search.provenBound) search.provenBound = *bound;
  search.lastBound = search.provenBound;
}

// Runs CBC's standard solve on `search`; on the search's own thread
// (after the root relaxation, unless a stop came during it).
void runSearch(Search& search, int threads, std::optional<double> cutoff,
               const std::vector<std::string>& extra) {
  std::vector<std::string> arguments = {"paralog-ilp", "-log", "0", "-slog", "0"};
  if (threads > 1) arguments.insert(arguments.end(), {"-threads", std::to_string(threads)});
  if (cutoff) {
    char value[32];
    std::snprintf(value, sizeof value, "%.6f", *cutoff);
    arguments.insert(arguments.end(), {"-cutoff", value});
  }
  addPreprocessingSettings(arguments);
  // CBC's clock, for the limits that the event handler sets.
  arguments.insert(arguments.end(), {"-timeMode", "elapsed"});
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  arguments.insert(arguments.end(), {"-solve", "-quit"});
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  searchOfThisThread = &search;
  try {
    solveRoot(search);
    // A deadline already past starts no search, whether or not the
    // waiting thread has passed on the stop yet.
    if (search.stopAsked.load() || (search.deadline && Clock::now() >= *search.deadline)) {
      search.finished.store(true);
      return;
    }
    search.cbcRan = true;
    CbcMain1(static_cast<int>(argv.size()), argv.data(), *search.model, onCbcStage, search.data);
  } catch (const std::exception& error) {
    std::lock_guard<std::mutex> lock(search.mutex);
    search.failure = error.what();
  } catch (...) {
    std::lock_guard<std::mutex> lock(search.mutex);
    search.failure = "unexpected failure";
  }
  search.finished.store(true);
}

std::shared_ptr<Search> prepareSearch(const LinearProgram& program, const SolveOptions& options) {
  auto search = std::make_shared<Search>();
  search->start = Clock::now();
  search->lastProgress = search->start;
  search->columns = program.variables().size();
  search->out = options.progress;
  search->phase = options.progressPhase;
  search->kept = options.keptBySearch;
  if (options.knownBound) search->provenBound = search->lastBound = *options.knownBound;
  search->solver.messageHandler()->setLogLevel(0);
  loadProgram(program, search->solver);
  search->model = std::make_unique<CbcModel>(search->solver);
  CbcModel& model = *search->model;
  model.setLogLevel(0);
  model.messageHandler()->setLogLevel(0);
  search->data.noPrinting_ = true;
  // Signals are the run's business (StopSignals), not CBC's.
  search->data.useSignalHandler_ = false;
  CbcMain0(model, search->data);
  SearchHandler handler(search.get());
  model.passInEventHandler(&handler);
  return search;
}

// The result of a search that came back.
SolveResult finishedResult(const LinearProgram& program, Search& search,
                           std::optional<StopReason> stop) {
  if (!search.failure.empty()) throw std::runtime_error("embedded CBC failed: " + search.failure);
  const CbcModel& model = *search.model;
  SolveResult result;
  const double* best = search.cbcRan ? model.bestSolution() : nullptr;
  {
    // CBC's bound once it ran (proofs included), raised to the bound
    // proved outside it.
    std::lock_guard<std::mutex> lock(search.mutex);
    result.bestBound = search.cbcRan ? model.getBestPossibleObjValue() : search.provenBound;
    if (!std::isnan(search.provenBound) && !(result.bestBound >= search.provenBound)) {
      result.bestBound = search.provenBound;
    }
  }
  if (best != nullptr) {
    result.solution.values.assign(best, best + program.variables().size());
    result.solution.objective = model.getObjValue();
  }
  if (!search.cbcRan) {
    // Stopped during the root relaxation, before CBC's search.
    const StopReason reason = stop ? *stop : StopReason::kTimeLimit;
    result.solution.status =
        reason == StopReason::kInterrupted ? SolutionStatus::kInterrupted : SolutionStatus::kTimeLimit;
  } else if (model.isProvenOptimal() && best != nullptr) {
    result.solution.status = SolutionStatus::kOptimal;
  } else if (!stop && model.isProvenInfeasible() && best == nullptr) {
    result.solution.status = SolutionStatus::kInfeasible;
  } else if (stop || model.isSecondsLimitReached()) {
    // A limit of CBC's own lies past the deadline: the time is up all the same.
    if (!stop) stop = StopReason::kTimeLimit;
    result.solution.status =
        *stop == StopReason::kInterrupted ? SolutionStatus::kInterrupted : SolutionStatus::kTimeLimit;
  } else if (best != nullptr) {
    result.solution.status = SolutionStatus::kFeasible;
  } else {
    throw std::runtime_error("embedded CBC ended with neither a solution nor a proof");
  }
  return result;
}

// The result of a search left running: the best solution it met in the
// program's columns, when that solution holds.
SolveResult abandonedResult(const LinearProgram& program, Search& search, StopReason stop) {
  SolveResult result;
  result.searchStillRunning = true;
  result.solution.status =
      stop == StopReason::kInterrupted ? SolutionStatus::kInterrupted : SolutionStatus::kTimeLimit;
  std::vector<double> values;
  {
    std::lock_guard<std::mutex> lock(search.mutex);
    values = search.bestInColumns;
    result.bestBound = search.lastBound;
  }
  if (values.empty()) return result;
  const double objective = objectiveAt(program, values);
  // A bound above the solution's objective proves nothing about it.
  if (!(result.bestBound <= objective)) result.bestBound = std::nan("");
  try {
    requireValidSolution(program, values, objective, "embedded CBC");
  } catch (const std::runtime_error&) {
    return result;  // not a solution of this program (a preprocessed model's)
  }
  result.solution.values = std::move(values);
  result.solution.objective = objective;
  return result;
}

}  // namespace

SolveResult solveWithCbc(const LinearProgram& program, const SolveOptions& options,
                         const SolveControl& control) {
  std::shared_ptr<Search> search = prepareSearch(program, options);
  search->deadline = control.deadline();
  std::thread worker([search, threads = options.threads, cutoff = options.cutoff,
                      extra = options.extraCbcArguments] {
    runSearch(*search, threads, cutoff, extra);
  });
  const std::optional<StopReason> stop = waitForSearch(*search, control);
  if (stop) {
    search->stopAsked.store(true);
    const Clock::time_point giveUp =
        Clock::now() + (*stop == StopReason::kInterrupted ? kInterruptGrace : kTimeLimitGrace);
    while (!search->finished.load() && Clock::now() < giveUp) std::this_thread::sleep_for(kPoll);
    if (!search->finished.load()) {
      worker.detach();
      return abandonedResult(program, *search, *stop);
    }
  }
  worker.join();
  // A stop request that CBC answered before the wait saw it still makes the
  // status: the search ended because it was told to.
  return finishedResult(program, *search, stop ? stop : control.stopReason());
}

}  // namespace paralog
