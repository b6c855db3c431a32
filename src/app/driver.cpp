#include "app/driver.h"

#include <exception>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/input_file.h"
#include "app/output_target.h"
#include "app/program_file.h"
#include "app/program_input.h"
#include "app/run_parameters.h"
#include "app/version.h"
#include "report/genome_listing.h"
#include "solve/solve_run.h"

namespace paralog {
namespace {

// Progress lines are flushed at once so that a long run shows where it is.
void progress(std::string_view line) { std::cout << line << std::flush; }

// While it lives, what is printed on std::cout (the progress lines, also
// those of the generators) goes to standard error instead, leaving standard
// output to the LP file.
class ProgressOnStandardError {
 public:
  ProgressOnStandardError() : saved_(std::cout.rdbuf(std::cerr.rdbuf())) {}
  ~ProgressOnStandardError() { std::cout.rdbuf(saved_); }
  ProgressOnStandardError(const ProgressOnStandardError&) = delete;
  ProgressOnStandardError& operator=(const ProgressOnStandardError&) = delete;

 private:
  std::streambuf* saved_;
};

// Whether the words of a command line that the parser refused ask for
// standard output ("-o -", "--output -", "-o-", "--output=-"), so that not
// even the first progress line lands in the output.
bool asksForStandardOutput(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i] != nullptr ? argv[i] : "";
    if (word == "-o-" || word == "--output=-") return true;
    if ((word == "-o" || word == "--output") && i + 1 < argc && argv[i + 1] != nullptr &&
        std::string_view(argv[i + 1]) == "-") {
      return true;
    }
  }
  return false;
}

// Whether the words of a command line that the parser refused ask for a
// genome listing, which prints no progress lines.
bool asksForListing(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != nullptr && std::string_view(argv[i]) == "--list-genomes") return true;
  }
  return false;
}

// The run of --list-genomes: the listing alone on standard output.
void listGenomes(const RunParameters& parameters) {
  const std::string text = readInputFile(parameters.inputPath);
  const ProgramInput input = readGenomes(text, parameters.inputPath, parameters.choices.format);
  std::cout << genomeListing(input.structures, input.format) << std::flush;
  if (!std::cout) throw std::runtime_error("cannot write to standard output");
}

}  // namespace

int runProgram(int argc, const char* const argv[]) {
  // The version line is all that such a run prints, without progress lines,
  // so that scripts can read it as it is.
  if (asksForVersion(argc, argv)) {
    std::cout << "paralog-ilp " << kProgramVersion << std::endl;
    if (!std::cout) throw std::runtime_error("cannot write to standard output");
    return 0;
  }
  // The command line decides where progress goes, so it is parsed before
  // the first progress line; its failure is reported after that line.
  std::ostringstream usage;
  std::optional<RunParameters> parameters;
  std::exception_ptr failure;
  try {
    parameters = parseParameters(argc, argv, usage);
  } catch (...) {
    failure = std::current_exception();
  }
  if (failure && asksForListing(argc, argv)) std::rethrow_exception(failure);
  if (parameters && parameters->listGenomes) {
    listGenomes(*parameters);
    return 0;
  }
  std::optional<ProgressOnStandardError> toStandardError;
  if (parameters ? parameters->outputPath == "-" : failure && asksForStandardOutput(argc, argv)) {
    toStandardError.emplace();
  }

  progress("Parsing params...\n");
  if (failure) std::rethrow_exception(failure);
  if (!parameters) {
    std::cerr << usage.str() << std::flush;
    return 0;
  }
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
  } else {
    // Created before any generator runs, so that an unwritable output path
    // fails at once.
    OutputTarget output(parameters->outputPath);
    const OutputFormat format{parameters->portable, namesGzipFile(parameters->outputPath)};
    writeProgramFile(output, format, first, second, progress);
    output.commit();
  }
  // Notes wait for success, so that a failed run prints its error line alone.
  for (const std::string& note : input.notes) std::cerr << note << '\n';
  std::cerr << std::flush;
  // A solving run said "Done" itself, before its summary.
  if (!parameters->solve && parameters->solutionPath.empty()) progress("Done\n");
  return 0;
}

}  // namespace paralog
