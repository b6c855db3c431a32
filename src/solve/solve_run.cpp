#include "solve/solve_run.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "run_setup/input_file.h"
#include "run_setup/output_sinks.h"
#include "run_setup/output_target.h"
#include "common/byte_sink.h"
#include "ilp/generate_program.h"
#include "lp/lp_writer.h"
#include "matching/assignment_names.h"
#include "matching/genome_pair_graph.h"
#include "matching/matching_evaluator.h"
#include "matching/matching_file.h"
#include "model/linear_program_builder.h"
#include "report/family_table.h"
#include "report/match_all_note.h"
#include "report/matching_report.h"
#include "solution_files/cbc_solution_writer.h"
#include "solution_files/solution_file.h"
#include "compact/compact_solve.h"
#include "compact/piece_graph.h"
#include "solver/embedded_cbc.h"
#include "solve/matching_run.h"
#include "solver/relative_gap.h"
#include "solver/solution_check.h"
#include "solver/solve_control.h"
#include "solver/stop_signals.h"

namespace paralog {
namespace {

// Writes `text` to an output that a regular file takes only on commit.
void writeWhole(OutputTarget& file, const std::string& text) {
  FdSink sink(file.fd(), file.displayName());
  sink.write(text);
  sink.flush();
}

// The output at `path`, or none for an empty path.
std::unique_ptr<OutputTarget> outputIfAsked(const std::string& path) {
  return path.empty() ? nullptr : std::make_unique<OutputTarget>(path);
}

// Writes every variable's value and cost in CBC's layout, to an output
// that a regular file takes only on commit.
void writeSolutionFile(OutputTarget& file, const LinearProgram& program, const Solution& solution) {
  FdSink sink(file.fd(), file.displayName());
  CbcSolutionWriter writer(sink, solution.status, objectiveAt(program, solution.values));
  for (size_t i = 0; i < program.variables().size(); ++i) {
    writer.add(program.variables()[i].name, solution.values[i], program.variables()[i].objective);
  }
  sink.flush();
}

std::string percent(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text + "%";
}

// The first summary lines: where the solution came from, and the search's
// result; the rest follows once the solution is checked.
struct Outcome {
  std::string summary;
  Solution solution;
  std::string source;  // names the solution in messages
  bool searchStillRunning = false;
};

// CBC has called solutions of the whole program optimal that the compact
// model, an exact formulation of the same optimum searched on its own,
// beats (with its integer preprocessing on or off). Its claim stands only
// where the compact model proves the same optimum in the time left; a
// better proven optimum refutes it and becomes the bound, and a compact
// search that proves nothing leaves the claim unconfirmed: "feasible",
// with the compact search's bound. Returns whether that search was left
// running.
bool confirmOptimum(const RunParameters& parameters, const Structure& first, const Structure& second,
                    const SolveControl& control, std::ostream& solverLog, SolveResult& result) {
  if (result.solution.status != SolutionStatus::kOptimal || !result.solution.objective) return false;
  compact::CompactSolveRequest request;
  request.options = solveOptionsOf(parameters, solverLog);
  request.matchAll = parameters.matchAll;
  request.control = control;
  const compact::CompactSolveResult compact = compact::solveCompact(first, second, request);
  const double optimum = -static_cast<double>(compact.score);
  const bool proven = compact.status == SolutionStatus::kOptimal;
  if (proven && optimum == *result.solution.objective) return compact.searchStillRunning;
  result.solution.status = SolutionStatus::kFeasible;
  result.bestBound = proven ? optimum : compact.bestBound;
  return compact.searchStillRunning;
}

Outcome solveHere(const RunParameters& parameters, const LinearProgram& program, const Structure& first,
                  const Structure& second, std::ostream& solverLog, const StopSignals& signals) {
  // The time limit counts from here: handing the model to CBC is part of the solve.
  const SolveControl control(parameters.timeLimitSeconds, &signals.stopRequest());
  SolveResult result = solveWithCbc(program, solveOptionsOf(parameters, solverLog), control);
  Outcome outcome;
  outcome.searchStillRunning = result.searchStillRunning;
  if (!result.searchStillRunning && confirmOptimum(parameters, first, second, control, solverLog, result)) {
    outcome.searchStillRunning = true;
  }
  outcome.source = "embedded CBC";
  outcome.summary = "Solution: embedded CBC\n" +
                    searchSummary(result.solution.status, result.solution.objective, result.bestBound);
  outcome.solution = std::move(result.solution);
  return outcome;
}

Outcome readSolution(const RunParameters& parameters, const LinearProgram& program, const std::string& text) {
  const SolutionFileContent content = parseSolutionFile(text, program, parameters.solutionPath);
  Outcome outcome;
  outcome.source = parameters.solutionPath;
  outcome.solution = solutionFromFile(content, program, parameters.solutionPath);
  // Values that pass the check (they must, or the run fails) prove the
  // program feasible, whatever the file's status says; the summary keeps
  // the file's word beside its name.
  std::string file = content.format + " solution file";
  if (outcome.solution.objective && content.status == SolutionStatus::kInfeasible) {
    outcome.solution.status = SolutionStatus::kFeasible;
    file += ", which calls it infeasible";
  }
  outcome.summary = "Solution: " + parameters.solutionDisplay + " (" + file + ")\nStatus: " +
                    std::string(statusText(outcome.solution.status)) + "\n";
  if (outcome.solution.objective) {
    outcome.summary += "Objective: " + formatNumber(*outcome.solution.objective) + "\n";
  }
  return outcome;
}

}  // namespace

std::string searchSummary(SolutionStatus status, std::optional<double> objective, double bestBound) {
  std::string summary = "Status: " + std::string(statusText(status)) + "\n";
  if (objective && std::isfinite(bestBound)) {
    summary += "Objective: " + formatNumber(*objective) + "\n";
    summary += "Best bound: " + formatNumber(bestBound) + "\n";
    summary += "Gap: " + percent(relativeGapPercent(*objective, bestBound)) + "\n";
  } else if (std::isfinite(bestBound)) {
    summary += "Best bound: " + formatNumber(bestBound) + "\n";
  } else if (objective) {
    summary += "Objective: " + formatNumber(*objective) + "\n";
  }
  return summary;
}

void printSummary(std::ostream& out, const std::string& summary, const MatchingReport& report) {
  out << summary << "Matched copy pairs: " << report.matchedPairs << "\np variables at 1: " << report.pAtOne
      << "\nCircular chromosomes left unmatched: " << report.circularUnmatched
      << "\nUnmatched copies in the first genome: " << report.unmatchedFirst
      << "\nUnmatched copies in the second genome: " << report.unmatchedSecond
      << "\nDCJ distance of the matched genes: " << report.matchedDistance << "\nIndels: " << report.unmatchedFirst
      << " + " << report.unmatchedSecond << "\n"
      << std::flush;
}

SolveOptions solveOptionsOf(const RunParameters& parameters, std::ostream& solverLog) {
  SolveOptions options;
  options.timeLimitSeconds = parameters.timeLimitSeconds;
  options.threads = parameters.threads;
  options.progress = &solverLog;
  return options;
}

namespace {

// Builds the whole program of the pair into `program` (empty) by one pass
// of the generators, which also writes the LP file to `lpFile` when it is
// set (not committed here) from the same typed rows. Progress lines go to
// `out`.
void buildWholeProgram(const RunParameters& parameters, const Structure& first, const Structure& second,
                       const OutputTarget* lpFile, std::ostream& out, LinearProgram& program) {
  LinearProgramBuilder builder(program);
  const ProgressReport progress = [&out](std::string_view line) { out << line << std::flush; };
  if (lpFile) {
    OutputSinks sinks(lpFile->fd(), lpFile->displayName(),
                      OutputFormat{parameters.portable, namesGzipFile(parameters.outputPath)});
    LpWriter writer(sinks.sink(), sinks.layout());
    ProgramTee both(writer, builder);
    buildProgram(first, second, both, progress, RowThreads::kCallingThread, LpFile::kWritten,
                 ProgramOptions{parameters.matchAll});
    sinks.finish();
  } else {
    buildProgram(first, second, builder, progress, RowThreads::kCallingThread, LpFile::kNone,
                 ProgramOptions{parameters.matchAll});
  }
}


// The files a solve of the whole program writes, none where not asked for.
// Created before any work, so that unwritable paths fail at once; like the
// LP file, the tables go into a pipe or device in place.
struct WholeProgramOutputs {
  explicit WholeProgramOutputs(const RunParameters& parameters)
      : lp(outputIfAsked(parameters.outputPath)),
        report(outputIfAsked(parameters.reportPath)),
        families(outputIfAsked(parameters.familiesPath)),
        solution(outputIfAsked(parameters.solutionOutputPath)) {}
  std::unique_ptr<OutputTarget> lp;
  std::unique_ptr<OutputTarget> report;
  std::unique_ptr<OutputTarget> families;
  std::unique_ptr<OutputTarget> solution;
};

// Writes the tables and the solution file of a checked answer and commits
// every output of the run, the LP file included.
void writeAnswerFiles(WholeProgramOutputs& outputs, const Structure& first, const Structure& second,
                      const LinearProgram& program, const Solution& solution, const MatchingReport& report,
                      std::ostream& out) {
  // The report may go where standard output goes (/dev/stdout): what was
  // printed so far stands before it.
  out << std::flush;
  if (outputs.report) writeWhole(*outputs.report, matchingTable(report));
  if (outputs.families) writeWhole(*outputs.families, familyTable(countFamilies(first, second, report)));
  if (outputs.solution) writeSolutionFile(*outputs.solution, program, solution);
  for (OutputTarget* target : {outputs.lp.get(), outputs.report.get(), outputs.families.get(), outputs.solution.get()}) {
    if (target != nullptr) target->commit();
  }
  if (outputs.lp) out << "Done\n";
}

}  // namespace

SolvingEnd runSolving(const RunParameters& parameters, const Structure& first,
                      const Structure& second, std::ostream& out, std::ostream& solverLog) {
  // Ctrl-C from here on stops the search, and the run reports what it has.
  const StopSignals signals;
  if (parameters.solve && parameters.solveModel == SolveModel::kCompact) {
    // What the compact model cannot hold (equal ids, a copy written twice)
    // was refused when the input was read.
    if (!compact::compactModelApplies(first, second)) {
      throw std::logic_error("the compact model does not apply to these genomes");
    }
    return runCompactSolving(parameters, first, second, out, solverLog, signals);
  }
  if (!parameters.matchingPath.empty()) return runMatchingScoring(parameters, first, second, out, solverLog, signals);
  // Read once, as it may be a pipe. A solution of the compact model's file
  // is told by its names (GLPK's by its size); one of the LP file is read
  // against the whole program below.
  const std::string solutionText = parameters.solutionPath.empty() ? "" : readInputFile(parameters.solutionPath);
  if (!parameters.solutionPath.empty() && compact::compactModelApplies(first, second)) {
    if (const std::optional<SolvingEnd> end = runModelSolution(parameters, solutionText, first, second, out, solverLog, signals)) {
      return *end;
    }
  }
  WholeProgramOutputs outputs(parameters);
  LinearProgram program;
  buildWholeProgram(parameters, first, second, outputs.lp.get(), out, program);

  Outcome outcome = parameters.solve ? solveHere(parameters, program, first, second, solverLog, signals)
                                     : readSolution(parameters, program, solutionText);
  Solution& solution = outcome.solution;
  if (!solution.objective) {
    out << outcome.summary << std::flush;
    throw std::runtime_error(outcome.source + ": no solution to report (status: " +
                             std::string(statusText(solution.status)) + ")");
  }
  requireValidSolution(program, solution.values, *solution.objective, outcome.source);
  roundValues(solution.values);

  const MatchingReport report = reportMatching(first, second, program, solution.values);
  writeAnswerFiles(outputs, first, second, program, solution, report, out);
  printSummary(out, outcome.summary, report);
  SolvingEnd end;
  end.searchStillRunning = outcome.searchStillRunning;
  if (!parameters.matchAll) {
    if (auto note = fewMatchedNote(first, second, report.matchedPairs)) end.notes.push_back(*note);
  }
  if (parameters.solve && solution.status == SolutionStatus::kInterrupted) {
    end.exitStatus = 128 + signals.signalNumber();
  }
  return end;
}

}  // namespace paralog
