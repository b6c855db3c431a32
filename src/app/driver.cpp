#include "app/driver.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/input_file.h"
#include "app/lp_text.h"
#include "app/program_file.h"
#include "app/run_parameters.h"
#include "app/safe_output_file.h"
#include "app/solve_run.h"
#include "genome/reader.h"

namespace paralog {
namespace {

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

  requireComparableStructures(structures, parameters->inputPath);
  // Structures after the second were read and checked but take no part.
  const Structure& first = structures[0];
  const Structure& second = structures[1];

  if (parameters->solve || !parameters->solutionPath.empty()) {
    runSolving(*parameters, first, second);
    return 0;
  }

  // Created before any generator runs, so that an unwritable output path
  // fails at once.
  SafeOutputFile output(parameters->outputPath);
  writeProgramFile(output, parameters->outputPath, first, second);
  output.commit();
  progress("Done\n");
  return 0;
}

}  // namespace paralog
