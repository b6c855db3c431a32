#ifndef PARALOG_RUN_SETUP_RUN_PARAMETERS_H
#define PARALOG_RUN_SETUP_RUN_PARAMETERS_H

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "genome/gff_reader.h"
#include "run_setup/program_input.h"

namespace paralog {

/// Which program --solve hands to CBC.
enum class SolveModel {
  kCompact,  ///< the compact model with the same optimum (docs/compact-model.md)
  kFull,     ///< the whole program of the LP file
};

/// The files of a run, how to read the input and the solving choices, as
/// taken from the command line.
struct RunParameters {
  std::string inputPath;   ///< the file with the genomes (the first of inputPaths)
  std::vector<std::string> inputPaths;  ///< every --input, in order (several only with --format gff)
  std::string orthologyPath;  ///< --orthology: the families of GFF3 genomes
  GffChoices gffChoices;      ///< --gff-feature and --circular
  std::string genomesOutputPath;  ///< --write-genomes: the genomes read, in UniMoG, or empty
  std::string outputPath;  ///< the LP file to write, "-" for standard output, empty for none
  bool portable = false;   ///< --portable: the form every LP reader takes the same way
  std::string modelPath;   ///< --write-model: the compact model's LP file, "-" for standard output, or empty
  InputChoices choices;    ///< --format, --pair and --drop-unshared
  bool solve = false;      ///< solve the program with the embedded CBC
  std::optional<double> timeLimitSeconds;  ///< for solve: none means no limit
  int threads = 1;                         ///< for solve: threads of the search
  SolveModel solveModel = SolveModel::kCompact;  ///< for solve: --solve-model
  bool matchAll = false;  ///< --match-all: every family matches as far as its smaller side allows
  std::string solutionPath;     ///< an external solver's solution file to read, or empty
  std::string solutionDisplay;  ///< solutionPath as given on the command line
  std::string matchingPath;     ///< a matching table to score, or empty
  std::string matchingDisplay;  ///< matchingPath as given on the command line
  std::string reportPath;  ///< where to write the matching table, "-" for standard output, or empty
  std::string solutionOutputPath;  ///< where to write the checked solution (CBC layout), or empty
  std::string familiesPath;  ///< where to write the per-family table, "-" for standard output, or empty
  bool listGenomes = false;     ///< --list-genomes: list the input's genomes instead of comparing two

  /// True when the run works out a solution: --solve, --solution or --matching.
  bool solving() const { return solve || !solutionPath.empty() || !matchingPath.empty(); }
};

/// One option that names a file the run reads or writes. Every such option
/// is a row of kFileOptions, which both reads its value into the
/// parameters and puts the file under the same-file check (run_files.h),
/// so that no output can join the run without that check.
struct FileOption {
  const char* name;                  ///< the long option name, such as "report"
  std::string RunParameters::*path;  ///< where its absolute path (or "-") goes
  bool written;                      ///< an output; else an input
  bool standardOutput;               ///< "-" names standard output, not a file
};

/// The options naming files, in the order messages list them. --input may
/// be given several times (with --format gff): this row stands for the
/// first, inputPaths holds them all.
inline constexpr FileOption kFileOptions[] = {
    {"input", &RunParameters::inputPath, false, false},
    {"solution", &RunParameters::solutionPath, false, false},
    {"matching", &RunParameters::matchingPath, false, false},
    {"output", &RunParameters::outputPath, true, true},
    {"write-model", &RunParameters::modelPath, true, true},
    {"report", &RunParameters::reportPath, true, true},
    {"write-solution", &RunParameters::solutionOutputPath, true, false},
    {"families", &RunParameters::familiesPath, true, true},
    {"orthology", &RunParameters::orthologyPath, false, false},
    {"write-genomes", &RunParameters::genomesOutputPath, true, false},
};

/// A command line the program cannot run with (unknown option, missing
/// value, missing input or output); the process ends with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The program's name as shown in the usage line: the text of `argv0` after
/// its last backslash, else after its last "/", else all of it.
std::string_view programName(std::string_view argv0);

/// What one command line asks for, read in one pass over it.
struct CommandLine {
  /// What the run is to do.
  enum class Request {
    kRun,      ///< the run that `parameters` describe
    kHelp,     ///< show `usage` (help wins over every other option)
    kVersion,  ///< print the version line and nothing else
  };
  Request request = Request::kRun;
  RunParameters parameters;  ///< for kRun
  std::string usage;         ///< for kHelp: "Usage: <program> -i [file] -o [file]" and the option table
  /// Set when the command line cannot be run with (a UsageError) or reading
  /// it failed otherwise; `request` and `parameters` then mean nothing.
  std::exception_ptr failure;
  /// An output goes to standard output ("-o -", "--report -", "--families
  /// -"), so progress lines go to standard error. When `failure` is set this
  /// is judged from the words of the command line ("-o -", "--output -",
  /// "-o-", "--output=-" and the same for every output of kFileOptions that
  /// takes "-"), so that not even the first progress line lands where the
  /// output was meant to.
  bool outputToStandardOutput = false;
  /// --list-genomes is given: the listing alone goes to standard output,
  /// without progress lines (judged from the words when `failure` is set).
  bool listing = false;
};

/// Reads the options "--help/-h", "--version", "--input/-i <file>",
/// "--output/-o <file>", "--portable", "--write-model <file>", "--format native|unimog|grimm",
/// "--pair A,B", "--drop-unshared", "--solve", "--time-limit <seconds>",
/// "--threads <n>", "--solution <file>", "--matching <file>", "--report
/// <file>", "--write-solution <file>", "--families <file>",
/// "--list-genomes", "--orthology <file>", "--gff-feature <type>",
/// "--circular" and "--write-genomes <file>" (one table declares them all).
/// "--input" may be given once per GFF3 file with "--format gff", which
/// needs "--orthology"; the GFF3 options need "--format gff".
/// Help is asked for when "--help" is given, whatever else is; the version
/// when "--version" is and help is not. Otherwise the parameters get their
/// paths made absolute: a value starting with "/" is taken unchanged, any
/// other is joined to the current working directory with "/", except an
/// output of "-" (standard output), kept as it is. Never throws: `failure`
/// holds a UsageError for a command line the option parser refuses, that
/// holds an argument belonging to no option, that lacks --input, that lacks
/// --output without --solve, --solution, --matching, --write-model, --list-genomes or --write-genomes, whose --format or
/// --pair value is malformed, that gives two of --solve, --solution and
/// --matching, --time-limit or --threads without --solve, --report,
/// --write-solution or --families without one of them, --list-genomes with
/// an option other than --input and --format, a time limit that is not a
/// positive number of seconds, or a thread count that is not a whole number
/// from 1 to 256.
CommandLine readCommandLine(int argc, const char* const argv[]);

}  // namespace paralog

#endif  // PARALOG_RUN_SETUP_RUN_PARAMETERS_H
