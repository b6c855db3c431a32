#include "app/driver.h"

#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/input_file.h"
#include "app/program_file.h"
#include "app/program_input.h"
#include "app/run_parameters.h"
#include "app/safe_output_file.h"
#include "app/solve_run.h"
#include "app/version.h"

namespace paralog {
namespace {

// Progress lines are flushed at once so that a long run shows where it is.
void progress(const char* line) { std::cout << line << std::flush; }

}  // namespace

int runProgram(int argc, const char* const argv[]) {
  // The version line is all that such a run prints, without progress lines,
  // so that scripts can read it as it is.
  if (asksForVersion(argc, argv)) {
    std::cout << "paralog-ilp " << kProgramVersion << std::endl;
    if (!std::cout) throw std::runtime_error("cannot write to standard output");
    return 0;
  }
  progress("Parsing params...\n");
  const std::optional<RunParameters> parameters = parseParameters(argc, argv, std::cerr);
  if (!parameters) return 0;
  progress("Done\n");

  const std::string text = readInputFile(parameters->inputPath);
  ProgramInput input = readGenomes(text, parameters->inputPath, parameters->choices.format,
                                   [] { progress("Reading structures...\n"); });
  progress("Done\n");

  chooseComparedPair(input, parameters->inputPath, parameters->choices);
  const Structure& first = input.firstCompared();
  const Structure& second = input.secondCompared();

  if (parameters->solve || !parameters->solutionPath.empty()) {
    runSolving(*parameters, first, second);
    return 0;
  }

  // Created before any generator runs, so that an unwritable output path
  // fails at once.
  SafeOutputFile output(parameters->outputPath);
  writeProgramFile(output, parameters->outputPath, first, second);
  output.commit();
  // Notes wait for success, so that a failed run prints its error line alone.
  for (const std::string& note : input.notes) std::cerr << note << '\n';
  std::cerr << std::flush;
  progress("Done\n");
  return 0;
}

}  // namespace paralog
