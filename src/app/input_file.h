#ifndef PARALOG_APP_INPUT_FILE_H
#define PARALOG_APP_INPUT_FILE_H

#include <string>

namespace paralog {

/// Returns the whole content of the file at `path`, so that the reader can
/// tokenise it with line numbers and views instead of copies.
/// Throws std::runtime_error starting with "invalid input file provided"
/// when the file cannot be opened (missing, no permission, a directory),
/// and "cannot read input file" when reading fails.
std::string readInputFile(const std::string& path);

}  // namespace paralog

#endif  // PARALOG_APP_INPUT_FILE_H
