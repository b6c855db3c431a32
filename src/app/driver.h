#ifndef PARALOG_APP_DRIVER_H
#define PARALOG_APP_DRIVER_H

namespace paralog {

/// Runs the program once: parses the command line, reads the input file,
/// generates every variable family into one task and one storage, and
/// writes the LP file, printing its progress lines on standard output (on
/// standard error when the LP file goes to standard output, "-o -").
/// Returns 0 after a complete run or after showing the usage text. Asked
/// for the version, prints only "paralog-ilp X.Y.Z" and returns 0. Throws
/// UsageError for a bad command line and std::runtime_error (or another
/// std::exception) for every other failure; the output file is then left
/// as it was.
int runProgram(int argc, const char* const argv[]);

}  // namespace paralog

#endif  // PARALOG_APP_DRIVER_H
