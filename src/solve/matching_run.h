#ifndef PARALOG_SOLVE_MATCHING_RUN_H
#define PARALOG_SOLVE_MATCHING_RUN_H

#include <optional>
#include <ostream>

#include "run_setup/run_parameters.h"
#include "genome/genome.h"
#include "solve/solve_run.h"
#include "solver/stop_signals.h"

namespace paralog {

/// The runs whose answer is a matching, found without holding the whole
/// program: the values of every variable follow from the matching
/// (MatchingEvaluator) and are checked against every row of the whole
/// program in aggregate, family by family (checkAssignment), in time
/// about linear in the genomes; only a broken answer is checked again row
/// by row as the rows stream by, for a message naming the first broken
/// row. The LP file (`-o`) and the solution file (--write-solution) are
/// written after the check in one pass of the generators; the matching
/// table (--report) after them. Progress lines go to `out`, the solver's
/// log to `solverLog`; the summary and counts are those of runSolving.
/// Replaced output files appear only after everything succeeded. A signal
/// (of `signals`) while the files are written stops the writing: none of
/// them is committed, the checked answer's summary is printed and a note
/// goes to `solverLog`. A signal at any time gives the exit status 128 +
/// its number. Throws std::runtime_error on failure.

/// --solve with the compact model (docs/compact-model.md): CBC finds the
/// matching, the status says how far it got.
/// REQUIRES: compactModelApplies(first, second).
/// `signals` stop the search (and give the exit status of an interrupted
/// run); the time limit counts from the start of the heuristic.
SolvingEnd runCompactSolving(const RunParameters& parameters, const Structure& first, const Structure& second,
                             std::ostream& out, std::ostream& solverLog, const StopSignals& signals);

/// --solution FILE, whose content is `text`, when the file solves the
/// compact model's file (--write-model) rather than the LP file
/// (model_solution.h): the file's
/// values are checked against the model's rows, their matching is scored
/// and reported as any solution is, with the status "optimal" only where
/// the file calls it optimal and its objective is the matching's. Nothing,
/// without any output, when the file is not one. A signal stops the
/// writing of the files asked for, as after --solve.
/// REQUIRES: compactModelApplies(first, second).
std::optional<SolvingEnd> runModelSolution(const RunParameters& parameters, const std::string& text,
                                           const Structure& first, const Structure& second, std::ostream& out,
                                           std::ostream& solverLog, const StopSignals& signals);

/// --matching FILE: the matching of a table in the layout --report writes.
SolvingEnd runMatchingScoring(const RunParameters& parameters, const Structure& first, const Structure& second,
                              std::ostream& out, std::ostream& solverLog, const StopSignals& signals);

}  // namespace paralog

#endif  // PARALOG_SOLVE_MATCHING_RUN_H
