#ifndef PARALOG_ILP_GENERATE_PROGRAM_H
#define PARALOG_ILP_GENERATE_PROGRAM_H

#include <functional>
#include <string_view>
#include <vector>

#include "genome/genome.h"
#include "lp/program_consumer.h"
#include "lp/row.h"
#include "lp/variables_storage.h"

namespace paralog {

/// Receives the progress lines of a run ("Calculating Z variables\n", ...),
/// each with its line end. The driver owns it and decides where they go;
/// nothing below the driver prints. Called on the thread that called
/// buildProgram or generateProgram.
using ProgressReport = std::function<void(std::string_view line)>;

/// Where the rows are made canonical and handed to the consumer.
enum class RowThreads {
  kCallingThread,  ///< on the generating thread, row by row
  kSecondThread,   ///< on a second thread, overlapping with generation (RowPipeline)
};

/// Whether the program goes into an LP file, which buildProgram announces
/// with "Writing ilp task to file...\n" before the declarations.
enum class LpFile {
  kWritten,  ///< an LP file is written (perhaps besides the solver's model)
  kNone,     ///< the program is only held in memory
};

/// Variants of the program that options ask for; the default is the
/// program of the LP file.
struct ProgramOptions {
  /// --match-all: each gene family matches as many copy pairs as its
  /// smaller side has copies (one equality row per family after the z rows).
  bool matchAll = false;
  /// When set, the only t names spelled out: every other t variable is
  /// named by one stand-in that is no variable. For a check of values that
  /// are zero on all other t variables, which then needs no memory for the
  /// quadratic family of names; the rows and their sums are unchanged, but
  /// the program is not fit for writing. Not owned; must outlive the call.
  const std::vector<std::string_view>* spelledTNames = nullptr;
};

/// Runs the generators of the seven variable families in their fixed order
/// (Z, T, U, P, R, L, then O for each structure), reporting "Calculating X
/// variables\n" before each family. The rows of each section reach `rows`
/// in the order of these calls. Throws what the generators throw.
void generateProgram(RowSink& rows, const Structure& first, const Structure& second,
                     VariablesStorage& storage, const ProgressReport& progress,
                     const ProgramOptions& options = {});

/// Delivers the whole integer program of `first` and `second` to
/// `consumer`: the objective (worked out from the structures before any
/// row), every row, "Writing ilp task to file...\n" to `progress` (for
/// LpFile::kWritten), the declarations and the end. The two structures must hold the same gene
/// names. The consumer (and what it writes into) must outlive the call; on
/// an exception it has received only part of the program, and with
/// kSecondThread no thread touches it any more once the exception leaves.
/// REQUIRES: first and second differ in id (requireComparableStructures);
/// a gene of one of them only has copies without z variables.
void buildProgram(const Structure& first, const Structure& second, ProgramConsumer& consumer,
                  const ProgressReport& progress, RowThreads threads, LpFile file,
                  const ProgramOptions& options = {});

}  // namespace paralog

#endif  // PARALOG_ILP_GENERATE_PROGRAM_H
