#ifndef PARALOG_APP_RUN_PARAMETERS_H
#define PARALOG_APP_RUN_PARAMETERS_H

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace paralog {

/// The two files of a run, as taken from the command line.
struct RunParameters {
  std::string inputPath;   ///< the file with the paralog table and the structures
  std::string outputPath;  ///< the LP file to write, or "-" for standard output
  bool portable = false;   ///< --portable: the form every LP reader takes the same way
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

/// Parses the options "--help/-h", "--input/-i <file>", "--output/-o
/// <file>" and "--portable". When help is asked for (whatever else is given), writes
/// "Usage: <program> -i [file] -o [file]" and the option table to `usage`
/// and returns nothing. Otherwise returns both paths: a value starting with
/// "/" is taken unchanged, any other is joined to the current working
/// directory with "/", except an output of "-" (standard output), kept as
/// it is. Throws UsageError on a command line the option
/// parser refuses, that holds an argument belonging to no option, or that
/// lacks --input or --output.
std::optional<RunParameters> parseParameters(int argc, const char* const argv[],
                                             std::ostream& usage);

}  // namespace paralog

#endif  // PARALOG_APP_RUN_PARAMETERS_H
