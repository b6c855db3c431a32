#include "app/driver.h"

#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/generate_program.h"
#include "app/input_file.h"
#include "app/run_parameters.h"
#include "app/safe_output_file.h"
#include "common/byte_sink.h"
#include "genome/reader.h"
#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

// Section text kept in memory before it moves to a file beside the output.
constexpr size_t kSectionMemoryLimit = 8 << 20;

// Progress lines are flushed at once so that a long run shows where it is.
void progress(const char* line) { std::cout << line << std::flush; }

}  // namespace

int runProgram(int argc, const char* const argv[]) {
  progress("Parsing params...\n");
  const std::optional<RunParameters> parameters = parseParameters(argc, argv, std::cerr);
  if (!parameters) return 0;
  progress("Done\n");

  const std::string text = readInputFile(parameters->inputPath);
  TokenCursor input(text, parameters->inputPath);
  const ParalogTable paralogTable = readParalogTable(input);
  progress("Reading structures...\n");
  const std::vector<Structure> structures = readStructures(input);
  progress("Done\n");

  if (structures.size() < 2) {
    throw std::runtime_error(
        parameters->inputPath + ": found " + std::to_string(structures.size()) +
        (structures.size() == 1 ? " structure" : " structures") + "; two are needed");
  }
  // Structures after the second were read and checked but take no part.
  const Structure& first = structures[0];
  const Structure& second = structures[1];
  requireSameGeneNames(first, second, parameters->inputPath);

  // Created before any generator runs, so that an unwritable output path
  // fails at once; the task spills its sections next to the output.
  SafeOutputFile output(parameters->outputPath);
  VariablesStorage storage;
  // Lines are canonicalised on a second thread while the generators run.
  IlpTask task(output.directory(), kSectionMemoryLimit, /*background=*/true);

  generateProgram(task, first, second, storage);

  progress("Writing ilp task to file...\n");
  FdSink sink(output.fd(), parameters->outputPath);
  storage.writeLp(sink, task);
  sink.flush();
  output.commit();
  progress("Done\n");
  return 0;
}

}  // namespace paralog
