#ifndef PARALOG_RUN_SETUP_INPUT_FILE_H
#define PARALOG_RUN_SETUP_INPUT_FILE_H

#include <cstdint>
#include <string>

namespace paralog {

/// Inputs larger than this are refused: an endless source such as
/// /dev/zero must end in an error, not in exhausted memory. Real inputs are
/// far smaller (the LP file grows with the square of the input and beyond).
inline constexpr uint64_t kMaxInputBytes = uint64_t{1} << 30;

/// Returns the whole content of the file at `path`, so that the reader can
/// tokenise it with line numbers and views instead of copies.
/// Throws std::runtime_error starting with "invalid input file provided"
/// when the file cannot be opened (missing, no permission, a directory),
/// "cannot read input file" when reading fails, and "input file <path> is
/// larger than <maxBytes> bytes" for a larger (or endless) input.
std::string readInputFile(const std::string& path, uint64_t maxBytes = kMaxInputBytes);

}  // namespace paralog

#endif  // PARALOG_RUN_SETUP_INPUT_FILE_H
