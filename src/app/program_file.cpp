#include "app/program_file.h"

#include "lp/lp_writer.h"

namespace paralog {

void writeProgram(ByteSink& out, const Structure& first, const Structure& second,
                  const ProgressReport& progress) {
  LpWriter writer(out);
  buildProgram(first, second, writer, progress, RowThreads::kSecondThread, LpFile::kWritten);
}

void writeProgramFile(OutputTarget& output, const OutputFormat& format, const Structure& first,
                      const Structure& second, const ProgressReport& progress) {
  // Made before anything that writes into them, so that they are destroyed
  // only after the row thread has stopped.
  OutputSinks sinks(output.fd(), output.displayName(), format);
  writeProgram(sinks.sink(), first, second, progress);
  sinks.finish();
}

}  // namespace paralog
