#include "solve/matching_run.h"

#include <cmath>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "run_setup/input_file.h"
#include "run_setup/output_sinks.h"
#include "run_setup/output_target.h"
#include "common/byte_sink.h"
#include "compact/compact_solve.h"
#include "compact/written_model.h"
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
#include "solve/assignment_check.h"
#include "solve/model_solution.h"
#include "solver/named_values.h"
#include "solver/solution_check.h"
#include "solver/solve_control.h"
#include "solve/solve_run.h"
#include "solve/stoppable_consumer.h"
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

// The assignment's values by name, zeros left out.
NamedValues namedValues(const GenomePairGraph& graph, const MatchingAssignment& assignment) {
  NamedValues values;
  forEachNonZeroVariable(graph, assignment,
                         [&values](std::string_view name, int64_t value) { values.set(name, static_cast<double>(value)); });
  return values;
}

// Writes the LP file and the solution file asked for in one pass of the
// generators, without checking again (the answer was checked in
// aggregate). Returns false, leaving the files uncommitted, when a signal
// stops the pass.
bool writeProgramFiles(const RunParameters& parameters, const Structure& first, const Structure& second,
                       const GenomePairGraph& graph, const ScoredMatching& scored, RunOutputs& outputs,
                       std::ostream& out, const SolveControl& stop) {
  if (!outputs.lp && !outputs.solution) return true;
  const ProgressReport progress = [&out](std::string_view line) { out << line << std::flush; };
  NamedValues values;
  if (outputs.solution) values = namedValues(graph, scored.assignment);
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
  ProgramConsumer* target = consumers.front();
  if (consumers.size() == 2) target = &both.emplace(*consumers[0], *consumers[1]);
  StoppableConsumer stoppable(*target, stop);
  try {
    buildProgram(first, second, stoppable, progress, RowThreads::kSecondThread,
                 outputs.lp ? LpFile::kWritten : LpFile::kNone, ProgramOptions{parameters.matchAll});
  } catch (const GenerationStopped&) {
    return false;
  }
  if (lpSinks) lpSinks->finish();
  if (solutionSink) solutionSink->flush();
  return true;
}

// What reporting an answer did: whether the files asked for were written
// (a signal stops their writing) and how many copy pairs the answer matches.
struct ReportEnd {
  bool written = false;
  size_t matchedPairs = 0;
};

// Checks the answer, writes the files and prints the summary. A signal
// that stops the writing of the LP or solution file leaves `written` false:
// the summary of the checked answer is printed all the same, no file is
// committed.
ReportEnd report(const RunParameters& parameters, const Structure& first, const Structure& second,
            const GenomePairGraph& graph, const ScoredMatching& scored, RunOutputs& outputs,
            std::ostream& out, const SolveControl& stop) {
  // Without a file to write, the check announces the families as the
  // generators would, so that the progress lines stay those of every run.
  const bool writes = outputs.lp || outputs.solution;
  const ProgressReport progress = [&out](std::string_view line) { out << line << std::flush; };
  requireValidMatchingAssignment(first, second, graph, scored.assignment, scored.source, parameters.matchAll, stop,
                                 writes ? ProgressReport() : progress);
  const bool written = writeProgramFiles(parameters, first, second, graph, scored, outputs, out, stop);
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
  if (written) {
    if (outputs.report) writeWhole(*outputs.report, matchingTable(table));
    if (outputs.families) writeWhole(*outputs.families, familyTable(countFamilies(first, second, table)));
    for (OutputTarget* target :
         {outputs.lp.get(), outputs.report.get(), outputs.families.get(), outputs.solution.get()}) {
      if (target != nullptr) target->commit();
    }
    if (outputs.lp) out << "Done\n";
  }
  printSummary(out, scored.summary, table);
  return ReportEnd{written, table.matchedPairs};
}

std::vector<CopyPair> copyPairs(const GenomePairGraph& graph,
                                const std::vector<compact::CompactSolveResult::MatchedPair>& pairs) {
  std::vector<CopyPair> matching;
  for (const compact::CompactSolveResult::MatchedPair& pair : pairs) {
    matching.push_back({*graph.findCopy(0, pair.gene, pair.firstIndex), *graph.findCopy(1, pair.gene, pair.secondIndex)});
  }
  return matching;
}

// The end of a run that reported a checked answer: a signal that came at
// any time, during the search, the check or the writing, gives the status
// 128 + its number.
SolvingEnd endOfRun(bool written, const StopSignals& signals, std::ostream& solverLog) {
  SolvingEnd end;
  if (!written) {
    solverLog << "note: stopped while writing the output files, which are left unwritten\n" << std::flush;
  }
  if (signals.signalNumber() != 0) end.exitStatus = 128 + signals.signalNumber();
  return end;
}

}  // namespace

SolvingEnd runCompactSolving(const RunParameters& parameters, const Structure& first, const Structure& second,
                             std::ostream& out, std::ostream& solverLog, const StopSignals& signals) {
  RunOutputs outputs(parameters);
  // The time limit counts from here: the heuristic is part of the solve.
  // The check after the search costs a few milliseconds in aggregate, so
  // the search may use the whole limit.
  const SolveControl control(parameters.timeLimitSeconds, &signals.stopRequest());
  const GenomePairGraph graph(first, second);
  compact::CompactSolveRequest request;
  request.options = solveOptionsOf(parameters, solverLog);
  request.matchAll = parameters.matchAll;
  request.control = control;
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
  // Writing the files asked for stops on a signal, not at the deadline:
  // they are what the user asked the run to write.
  const SolveControl writing(std::nullopt, &signals.stopRequest());
  const ReportEnd reported = report(parameters, first, second, graph, scored, outputs, out, writing);
  SolvingEnd end = endOfRun(reported.written, signals, solverLog);
  end.searchStillRunning = solved.searchStillRunning;
  if (!parameters.matchAll) {
    if (auto note = fewMatchedNote(first, second, reported.matchedPairs)) end.notes.push_back(*note);
  }
  return end;
}

std::optional<SolvingEnd> runModelSolution(const RunParameters& parameters, const std::string& text,
                                           const Structure& first, const Structure& second, std::ostream& out,
                                           std::ostream& solverLog, const StopSignals& signals) {
  const compact::WrittenModel model = compact::writtenModel(first, second, parameters.matchAll);
  const std::optional<SolutionFileContent> content = modelSolutionContent(text, model, parameters.solutionPath);
  if (!content) return std::nullopt;
  RunOutputs outputs(parameters);
  const ModelSolution solution = checkModelSolution(*content, model, parameters.solutionPath);
  std::string file = solution.format + " solution file of the compact model";
  if (!solution.objective) {
    out << "Solution: " << parameters.solutionDisplay << " (" << file << ")\nStatus: "
        << statusText(solution.status) << "\n" << std::flush;
    throw std::runtime_error(parameters.solutionPath + ": no solution to report (status: " +
                             std::string(statusText(solution.status)) + ")");
  }
  const GenomePairGraph graph(first, second);
  ScoredMatching scored;
  scored.source = parameters.solutionPath;
  scored.assignment = MatchingEvaluator(graph).assignment(copyPairs(graph, solution.matching));
  const auto objective = static_cast<double>(scored.assignment.objective);
  // No solution of the model claims more than its matching's score.
  if (*solution.objective < objective - kSolutionTolerance) {
    throw std::logic_error("the compact model's solution claims " + formatNumber(*solution.objective) +
                           " for a matching whose objective is " + formatNumber(objective));
  }
  // Values that pass the model's rows prove a matching; "optimal" holds
  // only where they also reach its objective.
  scored.status = solution.status;
  if (solution.status == SolutionStatus::kInfeasible) {
    scored.status = SolutionStatus::kFeasible;
    file += ", which calls it infeasible";
  } else if (solution.status == SolutionStatus::kOptimal && *solution.objective > objective + kSolutionTolerance) {
    scored.status = SolutionStatus::kFeasible;
    file += ", which calls it optimal at " + formatNumber(*solution.objective);
  }
  scored.summary = "Solution: " + parameters.solutionDisplay + " (" + file + ")\nStatus: " +
                   std::string(statusText(scored.status)) + "\nObjective: " + formatNumber(objective) + "\n";
  const SolveControl writing(std::nullopt, &signals.stopRequest());
  const ReportEnd reported = report(parameters, first, second, graph, scored, outputs, out, writing);
  SolvingEnd end = endOfRun(reported.written, signals, solverLog);
  if (!parameters.matchAll) {
    if (auto note = fewMatchedNote(first, second, reported.matchedPairs)) end.notes.push_back(*note);
  }
  return end;
}

SolvingEnd runMatchingScoring(const RunParameters& parameters, const Structure& first, const Structure& second,
                              std::ostream& out, std::ostream& solverLog, const StopSignals& signals) {
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
  const SolveControl writing(std::nullopt, &signals.stopRequest());
  return endOfRun(report(parameters, first, second, graph, scored, outputs, out, writing).written, signals,
                  solverLog);
}

}  // namespace paralog
