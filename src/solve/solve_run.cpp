#include "solve/solve_run.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/input_file.h"
#include "app/output_sinks.h"
#include "app/output_target.h"
#include "common/byte_sink.h"
#include "ilp/generate_program.h"
#include "lp/lp_writer.h"
#include "model/linear_program_builder.h"
#include "report/family_table.h"
#include "report/matching_report.h"
#include "solution_files/cbc_solution_writer.h"
#include "solution_files/solution_file.h"
#include "solve/embedded_cbc.h"
#include "solve/solution_check.h"

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
};

Outcome solveHere(const RunParameters& parameters, const LinearProgram& program) {
  SolveOptions options;
  options.timeLimitSeconds = parameters.timeLimitSeconds;
  options.threads = parameters.threads;
  options.progress = &std::cerr;
  SolveResult result = solveWithCbc(program, options);
  Outcome outcome;
  outcome.source = "embedded CBC";
  outcome.summary = "Solution: embedded CBC\nStatus: " +
                    std::string(statusText(result.solution.status)) + "\n";
  if (result.solution.objective) {
    const double objective = *result.solution.objective;
    outcome.summary += "Objective: " + formatNumber(objective) + "\n";
    outcome.summary += "Best bound: " + formatNumber(result.bestBound) + "\n";
    outcome.summary += "Gap: " +
                       percent(std::fabs(objective - result.bestBound) /
                               std::fmax(1.0, std::fabs(objective)) * 100.0) +
                       "\n";
  } else if (std::isfinite(result.bestBound)) {
    outcome.summary += "Best bound: " + formatNumber(result.bestBound) + "\n";
  }
  outcome.solution = std::move(result.solution);
  return outcome;
}

Outcome readSolution(const RunParameters& parameters, const LinearProgram& program) {
  const std::string text = readInputFile(parameters.solutionPath);
  const SolutionFileContent content = parseSolutionFile(text, program, parameters.solutionPath);
  Outcome outcome;
  outcome.source = parameters.solutionPath;
  outcome.solution = solutionFromFile(content, program, parameters.solutionPath);
  outcome.summary = "Solution: " + parameters.solutionDisplay + " (" + content.format +
                    " solution file)\nStatus: " + std::string(statusText(content.status)) + "\n";
  if (outcome.solution.objective) {
    outcome.summary += "Objective: " + formatNumber(*outcome.solution.objective) + "\n";
  }
  return outcome;
}

}  // namespace

LinearProgram buildLinearProgram(const Structure& first, const Structure& second) {
  LinearProgram program;
  LinearProgramBuilder builder(program);
  buildProgram(first, second, builder, [](std::string_view line) { std::cout << line; },
               RowThreads::kCallingThread);
  return program;
}

void runSolving(const RunParameters& parameters, const Structure& first, const Structure& second) {
  // Created before any work, so that unwritable paths fail at once.
  // Like the LP file, the tables go into a pipe or device in place.
  const std::unique_ptr<OutputTarget> lpFile = outputIfAsked(parameters.outputPath);
  const std::unique_ptr<OutputTarget> reportFile = outputIfAsked(parameters.reportPath);
  const std::unique_ptr<OutputTarget> familiesFile = outputIfAsked(parameters.familiesPath);
  const std::unique_ptr<OutputTarget> solutionFile = outputIfAsked(parameters.solutionOutputPath);

  // One pass of the generators builds the solver's model from the typed
  // rows and, when asked, writes the LP file from the same rows.
  LinearProgram program;
  LinearProgramBuilder builder(program);
  if (lpFile) {
    OutputSinks sinks(lpFile->fd(), lpFile->displayName(),
                      OutputFormat{parameters.portable, namesGzipFile(parameters.outputPath)});
    LpWriter writer(sinks.sink());
    ProgramTee both(writer, builder);
    buildProgram(first, second, both, [](std::string_view line) { std::cout << line; },
                 RowThreads::kCallingThread);
    sinks.finish();
  } else {
    // No file is written, so its progress line would mislead.
    buildProgram(first, second, builder,
                 [](std::string_view line) {
                   if (line != "Writing ilp task to file...\n") std::cout << line;
                 },
                 RowThreads::kCallingThread);
  }

  Outcome outcome = parameters.solve ? solveHere(parameters, program) : readSolution(parameters, program);
  Solution& solution = outcome.solution;
  if (!solution.objective) {
    std::cout << outcome.summary << std::flush;
    throw std::runtime_error(outcome.source + ": no solution to report (status: " +
                             std::string(statusText(solution.status)) + ")");
  }
  requireValidSolution(program, solution.values, *solution.objective, outcome.source);
  roundValues(solution.values);

  const MatchingReport report = reportMatching(first, second, program, solution.values);
  // The report may go where standard output goes (/dev/stdout): what was
  // printed so far stands before it.
  std::cout << std::flush;
  if (reportFile) writeWhole(*reportFile, matchingTable(report));
  if (familiesFile) writeWhole(*familiesFile, familyTable(countFamilies(first, second, report)));
  if (solutionFile) writeSolutionFile(*solutionFile, program, solution);
  if (lpFile) lpFile->commit();
  if (reportFile) reportFile->commit();
  if (familiesFile) familiesFile->commit();
  if (solutionFile) solutionFile->commit();
  if (lpFile) std::cout << "Done\n";
  std::cout << outcome.summary << "Matched copy pairs: " << report.matchedPairs
            << "\np variables at 1: " << report.pAtOne
            << "\nCircular chromosomes left unmatched: " << report.circularUnmatched
            << "\nUnmatched copies in the first genome: " << report.unmatchedFirst
            << "\nUnmatched copies in the second genome: " << report.unmatchedSecond << "\n"
            << std::flush;
}

}  // namespace paralog
