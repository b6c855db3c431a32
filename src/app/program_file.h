#ifndef PARALOG_APP_PROGRAM_FILE_H
#define PARALOG_APP_PROGRAM_FILE_H

#include <string>

#include "app/output_sinks.h"
#include "app/output_target.h"
#include "genome/genome.h"

namespace paralog {

/// Generates the integer program of `first` and `second` and writes it to
/// `output` (not committed) in `format`, printing the generators' progress lines and
/// "Writing ilp task to file...\n" between generating and writing.
///
/// The file is written front to back in one pass: the objective, forecast
/// from the structures, goes first, and the "Subject To" lines follow it
/// into the file as they are made, so the largest section is neither held
/// in memory nor copied. Should the storage's real objective differ from the
/// forecast, a rewritable output in the default format is written anew from
/// the start, and any other output fails with std::runtime_error, as its
/// bytes cannot be taken back; either way the bytes are those of
/// VariablesStorage::writeLp, encoded as `format` says. Section text that
/// must wait (such as "Bounds") spills to unnamed files in the output's
/// scratch directory.
void writeProgramFile(OutputTarget& output, const OutputFormat& format, const Structure& first,
                      const Structure& second);

}  // namespace paralog

#endif  // PARALOG_APP_PROGRAM_FILE_H
