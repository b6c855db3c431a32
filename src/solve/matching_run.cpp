#include "solve/matching_run.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/input_file.h"
#include "app/output_sinks.h"
#include "app/output_target.h"
#include "common/byte_sink.h"
#include "compact/compact_solve.h"
#include "lp/lp_writer.h"
#include "matching/assignment_names.h"
#include "matching/genome_pair_graph.h"
#include "matching/matching_evaluator.h"
#include "matching/matching_file.h"
#include "model/linear_program_builder.h"
#include "report/family_table.h"
#include "report/matching_report.h"
#include "solve/named_values.h"
#include "solve/solution_check.h"
#include "solve/solve_control.h"
#include "solve/solve_run.h"
#include "solve/streamed_check.h"
#include "solve/streamed_solution_file.h"

namespace paralog {
namespace {

// The outputs of a run, opened before any work so that unwritable paths
// fail at once.
struct RunOutputs {
  std::unique_ptr<OutputTarget> lp;
  std::unique_ptr<OutputTarget> report;
  std::unique_ptr<OutputTarget> families;
  std::unique_ptr<OutputTarget> solution;

  explicit RunOutputs(const RunParameters& parameters) {
    if (!parameters.outputPath.empty()) lp = std::make_unique<OutputTarget>(parameters.outputPath);
    if (!parameters.reportPath.empty()) report = std::make_unique<OutputTarget>(parameters.reportPath);
    if (!parameters.familiesPath.empty()) families = std::make_unique<OutputTarget>(parameters.familiesPath);
    if (!parameters.solutionOutputPath.empty()) {
      solution = std::make_unique<OutputTarget>(parameters.solutionOutputPath);
    }
  }
};

// What a matching's assignment is reported with.
struct ScoredMatching {
  std::string source;   // names the answer in messages
  std::string summary;  // the lines from "Solution:" to the search's result
  SolutionStatus status = SolutionStatus::kFeasible;
  MatchingAssignment assignment;
};

// Checks the assignment against the whole program as it streams by, the LP
// file and the solution file written in the same pass; returns the
// objective the check found.
double checkStreamed(const RunParameters& parameters, const Structure& first, const Structure& second,
                     const NamedValues& values, const ScoredMatching& scored, RunOutputs& outputs,
                     std::ostream& out) {
  const ProgressReport progress = [&out](std::string_view line) { out << line << std::flush; };
  std::optional<OutputSinks> lpSinks;
  std::optional<LpWriter> writer;
  std::optional<FdSink> solutionSink;
  std::optional<StreamedSolutionFile> solutionWriter;
  std::vector<ProgramConsumer*> consumers;
  if (outputs.lp) {
    lpSinks.emplace(outputs.lp->fd(), outputs.lp->displayName(),
                    OutputFormat{parameters.portable, namesGzipFile(parameters.outputPath)});
    writer.emplace(lpSinks->sink(), lpSinks->layout());
    consumers.push_back(&*writer);
  }
  if (outputs.solution) {
    solutionSink.emplace(outputs.solution->fd(), outputs.solution->displayName());
    solutionWriter.emplace(*solutionSink, values, scored.status);
    consumers.push_back(&*solutionWriter);
  }
  std::optional<ProgramTee> both;
  ProgramConsumer* alongside = consumers.empty() ? nullptr : consumers.front();
  if (consumers.size() == 2) alongside = &both.emplace(*consumers[0], *consumers[1]);
  const double objective =
      requireValidAssignment(first, second, values, scored.source, progress, alongside,
                             outputs.lp ? LpFile::kWritten : LpFile::kNone, ProgramOptions{parameters.matchAll});
  if (lpSinks) lpSinks->finish();
  if (solutionSink) solutionSink->flush();
  return objective;
}

void report(const RunParameters& parameters, const Structure& first, const Structure& second,
            const GenomePairGraph& graph, const ScoredMatching& scored, RunOutputs& outputs,
            std::ostream& out) {
  NamedValues values;
  forEachNonZeroVariable(graph, scored.assignment,
                         [&values](std::string_view name, int64_t value) { values.set(name, static_cast<double>(value)); });
  const double objective = checkStreamed(parameters, first, second, values, scored, outputs, out);
  if (objective != static_cast<double>(scored.assignment.objective)) {
    throw std::runtime_error(scored.source + ": the objective is " + formatNumber(objective) +
                             " at the values, not " + std::to_string(scored.assignment.objective));
  }
  std::vector<MatchedCopyPair> pairs;
  for (const CopyPair& pair : scored.assignment.matched) {
    const GraphCopy& a = graph.copies(0)[pair.first];
    pairs.push_back({graph.geneNames()[a.gene], a.index, graph.copies(1)[pair.second].index});
  }
  const MatchingReport table = reportPairs(first, second, pairs, scored.assignment.pAtOne.size());
  out << std::flush;
  auto writeWhole = [](OutputTarget& target, const std::string& text) {
    FdSink sink(target.fd(), target.displayName());
    sink.write(text);
    sink.flush();
  };
  if (outputs.report) writeWhole(*outputs.report, matchingTable(table));
  if (outputs.families) writeWhole(*outputs.families, familyTable(countFamilies(first, second, table)));
  for (OutputTarget* target :
       {outputs.lp.get(), outputs.report.get(), outputs.families.get(), outputs.solution.get()}) {
    if (target != nullptr) target->commit();
  }
  if (outputs.lp) out << "Done\n";
  printSummary(out, scored.summary, table);
}

std::vector<CopyPair> copyPairs(const GenomePairGraph& graph,
                                const std::vector<compact::CompactSolveResult::MatchedPair>& pairs) {
  std::vector<CopyPair> matching;
  for (const compact::CompactSolveResult::MatchedPair& pair : pairs) {
    matching.push_back({*graph.findCopy(0, pair.gene, pair.firstIndex), *graph.findCopy(1, pair.gene, pair.secondIndex)});
  }
  return matching;
}

// How long the check of an answer against the whole program takes, which
// comes after the search and at genome scale takes minutes: timed on the
// heuristic matching, without any output, so that a time limit can leave
// that much (and a quarter more) out of the search.
double checkSeconds(const RunParameters& parameters, const Structure& first, const Structure& second,
                    const GenomePairGraph& graph,
                    const std::vector<compact::CompactSolveResult::MatchedPair>& heuristic) {
  const auto start = std::chrono::steady_clock::now();
  const std::vector<CopyPair> matching = copyPairs(graph, heuristic);
  NamedValues values;
  forEachNonZeroVariable(graph, MatchingEvaluator(graph).assignment(matching),
                         [&values](std::string_view name, int64_t value) { values.set(name, static_cast<double>(value)); });
  requireValidAssignment(first, second, values, "the heuristic matching", [](std::string_view) {}, nullptr,
                         LpFile::kNone, ProgramOptions{parameters.matchAll});
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

SolvingEnd runCompactSolving(const RunParameters& parameters, const Structure& first, const Structure& second,
                             std::ostream& out, std::ostream& solverLog, const StopSignals& signals) {
  RunOutputs outputs(parameters);
  // The time limit counts from here: the heuristic is part of the solve,
  // and so is the check of the answer.
  const SolveControl control(parameters.timeLimitSeconds, &signals.stopRequest());
  const GenomePairGraph graph(first, second);
  std::optional<std::vector<compact::CompactSolveResult::MatchedPair>> heuristic;
  if (parameters.timeLimitSeconds) heuristic = compact::heuristicPairs(first, second, parameters.matchAll);
  const SolveControl search =
      heuristic ? control.endingEarlier(1.25 * checkSeconds(parameters, first, second, graph, *heuristic)) : control;
  compact::CompactSolveRequest request;
  request.options = solveOptionsOf(parameters, solverLog);
  request.matchAll = parameters.matchAll;
  request.control = search;
  if (heuristic) request.heuristic = &*heuristic;
  const compact::CompactSolveResult solved = compact::solveCompact(first, second, request);
  const std::vector<CopyPair> matching = copyPairs(graph, solved.matching);
  ScoredMatching scored;
  scored.source = "embedded CBC";
  scored.status = solved.status;
  scored.assignment = MatchingEvaluator(graph).assignment(matching);
  if (scored.assignment.objective != -solved.score) {
    throw std::logic_error("the compact model's matching scores " + std::to_string(-solved.score) +
                           " but the program reaches " + std::to_string(scored.assignment.objective));
  }
  scored.summary = "Solution: embedded CBC\n" +
                   searchSummary(solved.status, static_cast<double>(scored.assignment.objective), solved.bestBound);
  report(parameters, first, second, graph, scored, outputs, out);
  SolvingEnd end;
  end.searchStillRunning = solved.searchStillRunning;
  if (solved.status == SolutionStatus::kInterrupted) end.exitStatus = 128 + signals.signalNumber();
  return end;
}

SolvingEnd runMatchingScoring(const RunParameters& parameters, const Structure& first, const Structure& second,
                              std::ostream& out) {
  RunOutputs outputs(parameters);
  const std::string text = readInputFile(parameters.matchingPath);
  const GenomePairGraph graph(first, second);
  const std::vector<CopyPair> matching = parseMatchingFile(text, parameters.matchingPath, graph, first);
  ScoredMatching scored;
  scored.source = parameters.matchingPath;
  scored.assignment = MatchingEvaluator(graph).assignment(matching);
  scored.summary = "Solution: " + parameters.matchingDisplay + " (matching)\nStatus: " +
                   std::string(statusText(SolutionStatus::kFeasible)) +
                   "\nObjective: " + formatNumber(static_cast<double>(scored.assignment.objective)) + "\n";
  report(parameters, first, second, graph, scored, outputs, out);
  return SolvingEnd{};
}

}  // namespace paralog
