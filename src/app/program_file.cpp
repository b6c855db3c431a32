#include "app/program_file.h"

#include "lp/lp_writer.h"

namespace paralog {

void writeProgram(ByteSink& out, const Structure& first, const Structure& second,
                  const ProgressReport& progress, const ProgramOptions& options,
                  LpLayout layout) {
  LpWriter writer(out, layout);
  buildProgram(first, second, writer, progress, RowThreads::kSecondThread, LpFile::kWritten, options);
}

void writeProgramFile(OutputTarget& output, const OutputFormat& format, const Structure& first,
                      const Structure& second, const ProgressReport& progress,
                      const ProgramOptions& options) {
  // Made before anything that writes into them, so that they are destroyed
  // only after the row thread has stopped.
  OutputSinks sinks(output.fd(), output.displayName(), format);
  writeProgram(sinks.sink(), first, second, progress, options, sinks.layout());
  sinks.finish();
}

}  // namespace paralog
