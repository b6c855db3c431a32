#include "app/program_file.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <stdexcept>

#include <unistd.h>

#include "app/generate_program.h"
#include "common/byte_sink.h"
#include "ilp/objective_forecast.h"
#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

// Section text kept in memory before it moves on, to the output or to a
// file beside it.
constexpr size_t kSectionMemoryLimit = 8 << 20;
constexpr std::string_view kStreamedSection = "Subject To";

// Empties the output file so that it can be written again from its start.
void restartFile(int fd, const std::string& displayPath) {
  if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
    throw std::runtime_error("cannot rewrite " + displayPath + ": " + std::strerror(errno));
  }
}

}  // namespace

void writeProgramFile(OutputTarget& output, const OutputFormat& format, const Structure& first,
                      const Structure& second) {
  const std::string& displayPath = output.displayName();
  // Made before the task, so that the task's thread, which writes the
  // streamed lines into them, stops before they go.
  OutputSinks sinks(output.fd(), displayPath, format);
  ByteSink& sink = sinks.sink();
  VariablesStorage storage;
  // Lines are canonicalised on a second thread while the generators run.
  IlpTask task(output.scratchDirectory(), kSectionMemoryLimit, /*background=*/true);

  const std::string forecast = forecastObjective(first, second);
  VariablesStorage::writeLpHead(sink, forecast);
  const uint64_t streamStart = sinks.fileBytes();
  task.streamSection(kStreamedSection, sink);

  generateProgram(task, first, second, storage);
  task.finish();
  std::cout << "Writing ilp task to file...\n" << std::flush;

  // The lines already written follow the objective, so the file stands only
  // if the forecast was right and no section precedes the streamed one.
  if (storage.objectiveText() == forecast && !task.hasLines("Minimize")) {
    storage.writeLpAfterObjective(sink, task);
    sinks.finish();
    return;
  }
  if (!sinks.plain() || !output.rewritable()) {
    throw std::runtime_error("cannot write " + displayPath +
                             ": the objective changed after it was written");
  }
  sinks.finish();
  task.unstreamSection(kStreamedSection, output.fd(), streamStart);
  restartFile(output.fd(), displayPath);
  FdSink fresh(output.fd(), displayPath);
  storage.writeLp(fresh, task);
  fresh.flush();
}

}  // namespace paralog
