#ifndef PARALOG_APP_RUN_FILES_H
#define PARALOG_APP_RUN_FILES_H

#include <string>
#include <vector>

#include "run_setup/run_parameters.h"

namespace paralog {

/// One file that a run reads or writes, as an option named it.
struct RunFile {
  std::string option;  ///< the option that names it, such as "--report"
  std::string path;    ///< absolute, or "-" for standard output
  bool written = false;
};

/// Every file of the run that `parameters` describe, inputs and outputs:
/// the one table that an option naming a file joins, so that the same-file
/// check below covers it.
std::vector<RunFile> filesOfRun(const RunParameters& parameters);

/// Throws UsageError, naming both options and paths, when a written file
/// is the same file as another file of `files` (read or written) or two of
/// them are standard output ("-"). Existing paths are compared by device
/// and inode, so links and other spellings of one file are caught; a path
/// that does not exist yet by its directory's device and inode and its
/// last component. Pipes, devices and sockets are never the same file as
/// another (several outputs may share /dev/null). Reads nothing, writes
/// nothing.
void refuseSharedFiles(const std::vector<RunFile>& files);

}  // namespace paralog

#endif  // PARALOG_APP_RUN_FILES_H
