#include "app/driver.h"

#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/annotation_input.h"
#include "app/model_file.h"
#include "run_setup/input_file.h"
#include "run_setup/output_target.h"
#include "app/program_file.h"
#include "run_setup/program_input.h"
#include "app/run_files.h"
#include "run_setup/run_parameters.h"
#include "app/version.h"
#include "common/byte_sink.h"
#include "report/genome_listing.h"
#include "report/unimog_text.h"
#include "solve/solve_run.h"

namespace paralog {
namespace {

// The LP file of a run without solving: into a file, a device, a pipe or
// standard output, whole or not at all where that can be taken back.
void writeLpFile(const RunParameters& parameters, const Structure& first, const Structure& second,
                 const ProgressReport& progress) {
  // Created before any generator runs, so that an unwritable output path
  // fails at once.
  OutputTarget output(parameters.outputPath);
  const OutputFormat format{parameters.portable, namesGzipFile(parameters.outputPath)};
  writeProgramFile(output, format, first, second, progress, ProgramOptions{parameters.matchAll});
  output.commit();
}

// The genomes of the run's input: GFF3 files with their orthology table, or
// one genome file. `beforeStructures` as readGenomes takes it.
ProgramInput readRunInput(const RunParameters& parameters,
                          const std::function<void()>& beforeStructures = {}) {
  if (parameters.choices.format == InputFormat::kGff) {
    if (beforeStructures) beforeStructures();
    return readAnnotationInput(parameters.inputPaths, parameters.orthologyPath, parameters.gffChoices);
  }
  const std::string text = readInputFile(parameters.inputPath);
  return readGenomes(text, parameters.inputPath, parameters.choices.format, beforeStructures);
}

// How messages about the choice of the pair name the input.
const std::string& inputSourceName(const RunParameters& parameters) {
  return parameters.choices.format == InputFormat::kGff ? parameters.orthologyPath
                                                        : parameters.inputPath;
}

// --write-genomes: every genome read, in UniMoG, whole or not at all.
void writeGenomes(const std::string& path, const ProgramInput& input) {
  OutputTarget output(path);
  FdSink sink(output.fd(), output.displayName());
  sink.write(unimogText(input.structures));
  sink.flush();
  output.commit();
}

// The run of --list-genomes: the listing alone on standard output.
void listGenomes(const RunParameters& parameters, std::ostream& out) {
  const ProgramInput input = readRunInput(parameters);
  out << genomeListing(input.structures, input.format) << std::flush;
  if (!out) throw std::runtime_error("cannot write to standard output");
}

// The run on the two compared genomes of `input`, once it is read: the
// compact model, the solve or the LP file, the notes; returns the exit
// status (or ends the process when a search thread is left running).
int runOnPair(const RunParameters& parameters, ProgramInput& input, std::ostream& out, std::ostream& err,
              std::ostream& progressStream) {
  const ProgressReport progress = [&progressStream](std::string_view text) {
    progressStream << text << std::flush;
  };
  chooseComparedPair(input, inputSourceName(parameters), parameters.choices);
  if (parameters.solving()) refuseRepeatedCopies(input, inputSourceName(parameters));
  // The model file is written first and put in place with the run's other
  // files, once they are.
  std::optional<OutputTarget> modelFile;
  if (!parameters.modelPath.empty()) {
    progress("Writing the compact model...\n");
    modelFile.emplace(parameters.modelPath);
    writeModelFile(*modelFile, parameters.modelPath, input.firstCompared(), input.secondCompared(),
                   parameters.matchAll);
  }
  SolvingEnd solvingEnd;
  if (parameters.solving()) {
    solvingEnd =
        runSolving(parameters, input.firstCompared(), input.secondCompared(), progressStream, err);
  } else if (!parameters.outputPath.empty()) {
    writeLpFile(parameters, input.firstCompared(), input.secondCompared(), progress);
  }
  if (modelFile) modelFile->commit();
  // Notes wait for success, so that a failed run prints its error line alone.
  for (const std::string& note : input.notes) err << note << '\n';
  for (const std::string& note : solvingEnd.notes) err << note << '\n';
  err << std::flush;
  // A solving run said "Done" itself, before its summary.
  if (!parameters.solving()) progress("Done\n");
  // A solve's summary is its answer: lost on the way, the run failed. (The
  // LP file run prints only progress lines there, which it may lose.)
  out << std::flush;
  if (parameters.solving() && !out) throw std::runtime_error("cannot write to standard output");
  if (solvingEnd.searchStillRunning) {
    // Every file is in place and every line out; the search's thread may
    // still be inside the solver library, which the usual teardown of the
    // process would pull away under it.
    out << std::flush;
    err << std::flush;
    std::_Exit(solvingEnd.exitStatus);
  }
  return solvingEnd.exitStatus;
}

}  // namespace

int runProgram(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  const CommandLine line = readCommandLine(argc, argv);
  // The version line is all that such a run prints, without progress lines,
  // so that scripts can read it as it is.
  if (!line.failure && line.request == CommandLine::Request::kVersion) {
    out << "paralog-ilp " << kProgramVersion << std::endl;
    if (!out) throw std::runtime_error("cannot write to standard output");
    return 0;
  }
  // A listing prints no progress lines, not even when its command line is wrong.
  if (line.listing) {
    if (line.failure) std::rethrow_exception(line.failure);
    listGenomes(line.parameters, out);
    return 0;
  }
  // Standard output is left to the LP file when that goes there. Progress
  // lines are flushed at once so that a long run shows where it is.
  std::ostream& progressStream = line.outputToStandardOutput ? err : out;
  const ProgressReport progress = [&progressStream](std::string_view text) {
    progressStream << text << std::flush;
  };

  progress("Parsing params...\n");
  if (line.failure) std::rethrow_exception(line.failure);
  if (line.request == CommandLine::Request::kHelp) {
    err << line.usage << std::flush;
    return 0;
  }
  const RunParameters& parameters = line.parameters;
  refuseSharedFiles(filesOfRun(parameters));
  progress("Done\n");

  ProgramInput input = readRunInput(parameters, [&progress] { progress("Reading structures...\n"); });
  progress("Done\n");
  if (!parameters.genomesOutputPath.empty()) {
    writeGenomes(parameters.genomesOutputPath, input);
    if (parameters.outputPath.empty() && !parameters.solving()) return 0;
  }

  return runOnPair(parameters, input, out, err, progressStream);
}

}  // namespace paralog
