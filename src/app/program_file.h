#ifndef PARALOG_APP_PROGRAM_FILE_H
#define PARALOG_APP_PROGRAM_FILE_H

#include <string>

#include "app/safe_output_file.h"
#include "genome/genome.h"

namespace paralog {

/// Generates the integer program of `first` and `second` and writes it to
/// `output` (not committed), printing the generators' progress lines and
/// "Writing ilp task to file...\n" between generating and writing.
///
/// The file is written front to back in one pass: the objective, forecast
/// from the structures, goes first, and the "Subject To" lines follow it
/// into the file as they are made, so the largest section is neither held
/// in memory nor copied. Should the storage's real objective differ from the
/// forecast, the file is written anew from the start; either way its bytes
/// are those of VariablesStorage::writeLp. Section text that must wait
/// (such as "Bounds") spills to unnamed files in the output's directory.
/// `displayPath` names the output in error messages.
void writeProgramFile(SafeOutputFile& output, const std::string& displayPath,
                      const Structure& first, const Structure& second);

}  // namespace paralog

#endif  // PARALOG_APP_PROGRAM_FILE_H
