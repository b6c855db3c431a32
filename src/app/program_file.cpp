#include "app/program_file.h"

#include "lp/lp_writer.h"

namespace paralog {

void writeProgram(ByteSink& out, const Structure& first, const Structure& second,
                  const ProgressReport& progress) {
  LpWriter writer(out);
  buildProgram(first, second, writer, progress, RowThreads::kSecondThread);
}

void writeProgramFile(SafeOutputFile& output, const std::string& displayPath,
                      const Structure& first, const Structure& second,
                      const ProgressReport& progress) {
  // Declared before anything that writes into it, so that it is destroyed
  // only after the row thread has stopped.
  FdSink sink(output.fd(), displayPath);
  writeProgram(sink, first, second, progress);
  sink.flush();
}

}  // namespace paralog
