#ifndef PARALOG_APP_RUN_PARAMETERS_H
#define PARALOG_APP_RUN_PARAMETERS_H

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/program_input.h"

namespace paralog {

/// The files of a run, how to read the input and the solving choices, as
/// taken from the command line.
struct RunParameters {
  std::string inputPath;   ///< the file with the genomes
  std::string outputPath;  ///< the LP file to write, "-" for standard output, empty for none
  bool portable = false;   ///< --portable: the form every LP reader takes the same way
  InputChoices choices;    ///< --format, --pair and --drop-unshared
  bool solve = false;      ///< solve the program with the embedded CBC
  std::optional<double> timeLimitSeconds;  ///< for solve: none means no limit
  int threads = 1;                         ///< for solve: threads of the search
  std::string solutionPath;     ///< an external solver's solution file to read, or empty
  std::string solutionDisplay;  ///< solutionPath as given on the command line
  std::string reportPath;       ///< where to write the matching table, or empty
  std::string solutionOutputPath;  ///< where to write the checked solution (CBC layout), or empty
  std::string familiesPath;     ///< where to write the per-family table, or empty
  bool listGenomes = false;     ///< --list-genomes: list the input's genomes instead of comparing two
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

/// True when the command line asks for the program's version: it parses
/// with the options of parseParameters, holds "--version" and does not hold
/// "--help" (help wins). A command line the parser refuses is no version
/// request; parseParameters then reports the fault.
bool asksForVersion(int argc, const char* const argv[]);

/// Parses the options "--help/-h", "--version", "--input/-i <file>",
/// "--output/-o <file>", "--portable", "--format native|unimog|grimm",
/// "--pair A,B", "--drop-unshared", "--solve", "--time-limit <seconds>",
/// "--threads <n>", "--solution <file>", "--report <file>",
/// "--write-solution <file>", "--families <file>" and "--list-genomes". When help is
/// asked for (whatever else is given), writes "Usage: <program> -i [file]
/// -o [file]" and the option table to `usage` and returns nothing. When the
/// version is asked for (and help is not), returns nothing: the caller
/// answers that, see asksForVersion. Otherwise returns the parameters,
/// paths made absolute: a value starting with "/" is taken unchanged, any
/// other is joined to the current working directory with "/", except an
/// output of "-" (standard output), kept as it is. Throws UsageError on a
/// command line the option parser refuses, that holds an argument belonging
/// to no option, that lacks --input, that lacks --output without --solve,
/// --solution or --list-genomes, whose --format or --pair value is malformed, that gives both
/// --solve and --solution, --time-limit or --threads without --solve,
/// --report, --write-solution or --families without either, --list-genomes
/// with an option other than --input and --format, a time limit that is not a positive number of
/// seconds, or a thread count that is not a whole number from 1 to 256.
std::optional<RunParameters> parseParameters(int argc, const char* const argv[],
                                             std::ostream& usage);

}  // namespace paralog

#endif  // PARALOG_APP_RUN_PARAMETERS_H
