#ifndef PARALOG_SOLVE_SOLVE_RUN_H
#define PARALOG_SOLVE_SOLVE_RUN_H

#include "app/run_parameters.h"
#include "genome/genome.h"
#include "model/linear_program.h"

namespace paralog {

/// The program of `first` and `second` held in memory, for solving it or
/// checking a solution: the one seam between generation and solving.
/// Prints the generators' progress lines. The structures must hold the
/// same gene names.
LinearProgram buildLinearProgram(const Structure& first, const Structure& second);

/// The run for --solve or --solution: generates the program in memory
/// (writing the LP file when `parameters.outputPath` is set, in the form
/// --portable and a ".gz" path ask for), solves it
/// with the embedded CBC or reads the solution file, checks the solution,
/// prints the summary lines on standard output and writes the matching
/// table to `parameters.reportPath`, the per-family table to
/// `parameters.familiesPath` and every variable's value in CBC's solution
/// layout to `parameters.solutionOutputPath` when set, then "Done". Replaced output
/// files appear only after everything succeeded (an LP file written in
/// place, such as standard output, is out before the solve). Throws std::runtime_error on any failure,
/// among them a solution that breaks the program and a search that found
/// no solution.
void runSolving(const RunParameters& parameters, const Structure& first, const Structure& second);

}  // namespace paralog

#endif  // PARALOG_SOLVE_SOLVE_RUN_H
