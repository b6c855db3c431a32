#ifndef PARALOG_APP_PROGRAM_FILE_H
#define PARALOG_APP_PROGRAM_FILE_H

#include <string>

#include "run_setup/output_sinks.h"
#include "run_setup/output_target.h"
#include "common/byte_sink.h"
#include "genome/genome.h"
#include "ilp/generate_program.h"
#include "lp/lp_writer.h"

namespace paralog {

/// Writes the LP file of `first` and `second` into `out` front to back in
/// one pass (see buildProgram and LpWriter), the rows made canonical and
/// written on a second thread while the generators run. `out` must outlive
/// the call; it is not flushed. Throws what generating or writing throws,
/// and then no thread writes into `out` any more.
void writeProgram(ByteSink& out, const Structure& first, const Structure& second,
                  const ProgressReport& progress, const ProgramOptions& options = {},
                  LpLayout layout = LpLayout::kDefault);

/// writeProgram into `output` (not committed) through the sinks that encode
/// it as `format` says, all of them finished and flushed.
void writeProgramFile(OutputTarget& output, const OutputFormat& format, const Structure& first,
                      const Structure& second, const ProgressReport& progress,
                      const ProgramOptions& options = {});

}  // namespace paralog

#endif  // PARALOG_APP_PROGRAM_FILE_H
