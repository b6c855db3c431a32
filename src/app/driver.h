#ifndef PARALOG_APP_DRIVER_H
#define PARALOG_APP_DRIVER_H

#include <ostream>

namespace paralog {

/// Runs the program once: reads the command line, reads the input file,
/// generates every variable family into one task and one storage, and
/// writes the LP file (or solves the program), printing its progress lines
/// on `out` (on `err` when the LP file goes to standard output, "-o -"),
/// and the usage text and notes on `err`. Both streams must outlive the
/// call; `out` is standard output, where "-o -" writes the LP file.
/// Returns 0 after a complete run or after showing the usage text. Asked
/// for the version, prints only "paralog-ilp X.Y.Z" on `out` and returns 0. Throws
/// UsageError for a bad command line and std::runtime_error (or another
/// std::exception) for every other failure; the output file is then left
/// as it was.
int runProgram(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

}  // namespace paralog

#endif  // PARALOG_APP_DRIVER_H
