#include "run_setup/run_parameters.h"

#include <sched.h>

#include <algorithm>

#include <boost/filesystem/operations.hpp>
#include <boost/program_options.hpp>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "solver/embedded_cbc.h"

namespace paralog {
namespace po = boost::program_options;
namespace {

std::string joinToDirectory(const std::string& directory, const std::string& value) {
  if (!value.empty() && value.front() == '/') return value;
  return directory + "/" + value;
}

// Every option the program knows, in the order the usage text lists them.
po::options_description describeOptions() {
  po::options_description options("Options");
  // clang-format off
  options.add_options()
      ("help,h", "Show help")
      ("version", "Show version")
      ("input,i", po::value<std::vector<std::string>>(), "File with paralogs and structs")
      ("output,o", po::value<std::string>(), "Linear programming task (- for stdout; *.gz: gzip)")
      ("portable", "Write an LP file every solver reads alike")
      ("write-model", po::value<std::string>(), "Compact model as portable LP (- for stdout; *.gz: gzip)")
      ("format", po::value<std::string>(), "Input format: native, unimog, grimm or gff")
      ("pair", po::value<std::string>(), "Genomes to compare: A,B (names or numbers)")
      ("drop-unshared", "Drop genes missing from either genome")
      ("keep-unshared", "Keep genes missing from either genome, unmatched")
      ("solve", "Solve the task with the embedded CBC")
      ("time-limit", po::value<std::string>(), "With --solve: stop after this many seconds")
      ("threads", po::value<std::string>(), "With --solve: threads to search with (default 1)")
      ("oversubscribe", "With --threads: allow more threads than cores")
      ("solve-model", po::value<std::string>(), "With --solve: compact (default) or full")
      ("match-all", "Match every gene as often as its rarer side allows")
      ("solution", po::value<std::string>(), "Read and check a solver's solution file")
      ("matching", po::value<std::string>(), "Score a matching given as the TSV of --report")
      ("report", po::value<std::string>(), "With --solve, --solution or --matching: matching as TSV")
      ("write-solution", po::value<std::string>(), "With --solve, --solution or --matching: as CBC solution")
      ("families", po::value<std::string>(), "With --solve, --solution or --matching: family counts")
      ("list-genomes", "List the genomes of the input file and stop")
      ("orthology", po::value<std::string>(), "With --format gff: the gene families' table")
      ("gff-feature", po::value<std::string>(), "With --format gff: genes' feature type (gene)")
      ("circular", "With --format gff: every chromosome is circular")
      ("write-genomes", po::value<std::string>(), "Write the genomes read as UniMoG");
  // clang-format on
  return options;
}

// The option values of the command line. Throws UsageError on a command line
// the option parser refuses or that holds an argument belonging to no option.
po::variables_map parseValues(int argc, const char* const argv[],
                              const po::options_description& options) {
  po::variables_map values;
  try {
    // With no arguments at all (not even a program name) there is nothing to parse.
    if (argc > 0) {
      const po::parsed_options parsed = po::parse_command_line(argc, argv, options);
      // The parser would keep a stray argument without a name and nobody
      // would read it; it is far more likely a mistake than intended.
      for (const po::option& option : parsed.options) {
        if (option.string_key.empty() && !option.original_tokens.empty()) {
          throw UsageError("unexpected argument '" + option.original_tokens.front() + "'");
        }
      }
      po::store(parsed, values);
    }
    po::notify(values);
  } catch (const po::error& error) {
    throw UsageError(error.what());
  }
  return values;
}

// The options that only make sense with --solve, --solution or --matching.
void requireSolvingOptions(const po::variables_map& values) {
  const bool solve = values.count("solve") != 0;
  const bool hasSolution = values.count("solution") != 0;
  const bool hasMatching = values.count("matching") != 0;
  const char* sources[] = {"solve", "solution", "matching"};
  for (size_t a = 0; a < 3; ++a) {
    for (size_t b = a + 1; b < 3; ++b) {
      if (values.count(sources[a]) != 0 && values.count(sources[b]) != 0) {
        throw UsageError(std::string("the options '--") + sources[a] + "' and '--" + sources[b] +
                         "' cannot be given together");
      }
    }
  }
  if (values.count("oversubscribe") != 0 && values.count("threads") == 0) {
    throw UsageError("the option '--oversubscribe' needs '--threads'");
  }
  for (const char* option : {"time-limit", "threads", "solve-model"}) {
    if (values.count(option) != 0 && !solve) {
      throw UsageError(std::string("the option '--") + option + "' needs '--solve'");
    }
  }
  for (const char* option : {"report", "write-solution", "families"}) {
    if (values.count(option) != 0 && !solve && !hasSolution && !hasMatching) {
      throw UsageError(std::string("the option '--") + option +
                       "' needs '--solve', '--solution' or '--matching'");
    }
  }
}

// --list-genomes reads the input in its format and nothing else.
void requireListingOptions(const po::variables_map& values) {
  for (const auto& [name, value] : values) {
    if (name != "list-genomes" && name != "input" && name != "format" && name != "orthology" &&
        name != "gff-feature" && name != "circular") {
      throw UsageError("the option '--" + name + "' cannot be given with '--list-genomes'");
    }
  }
}

// The GFF3 options: several inputs, the orthology table, the gene feature
// type and --circular, all with --format gff only.
void readAnnotationOptions(const po::variables_map& values, const std::string& directory,
                           RunParameters& parameters) {
  const bool gff = parameters.choices.format == InputFormat::kGff;
  if (!gff) {
    if (parameters.inputPaths.size() > 1) {
      throw UsageError("the option '--input' is given " + std::to_string(parameters.inputPaths.size()) +
                       " times; only '--format gff' reads several files");
    }
    for (const char* option : {"orthology", "gff-feature", "circular"}) {
      if (values.count(option) != 0) {
        throw UsageError(std::string("the option '--") + option + "' needs '--format gff'");
      }
    }
    return;
  }
  if (values.count("orthology") == 0) {
    throw UsageError("the option '--format gff' needs '--orthology' (the gene families)");
  }
  parameters.orthologyPath = joinToDirectory(directory, values["orthology"].as<std::string>());
  if (values.count("gff-feature") != 0) {
    parameters.gffChoices.geneFeature = values["gff-feature"].as<std::string>();
    if (parameters.gffChoices.geneFeature.empty()) {
      throw UsageError("the argument for option '--gff-feature' is empty");
    }
  }
  parameters.gffChoices.allCircular = values.count("circular") != 0;
}

double timeLimitOf(const std::string& text) {
  char* end = nullptr;
  const double seconds = text.empty() ? 0 : std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(seconds) || seconds <= 0 ||
      seconds > 1e9) {
    throw UsageError("the time limit '" + text + "' is not a positive number of seconds");
  }
  return seconds;
}

// The cores this process may run on.
int coresOfMachine() {
  cpu_set_t cpus;
  CPU_ZERO(&cpus);
  if (::sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) > 0) return CPU_COUNT(&cpus);
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// A thread count from 1 to the machine's cores, or with --oversubscribe to
// the most CBC runs as that many threads.
int threadsOf(const std::string& text, bool oversubscribe) {
  const int cores = coresOfMachine();
  const int most = oversubscribe ? kMaxCbcThreads : std::min(cores, kMaxCbcThreads);
  const bool digits = !text.empty() && text.size() <= 3 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  const int threads = digits ? std::stoi(text) : 0;
  if (threads < 1 || threads > most) {
    std::string range = "from 1 to " + std::to_string(most);
    if (!oversubscribe) {
      range += " (the cores of this machine; up to " + std::to_string(kMaxCbcThreads) +
               " with --oversubscribe)";
    }
    throw UsageError("the thread count '" + text + "' is not a whole number " + range);
  }
  return threads;
}

SolveModel solveModelOf(const std::string& text) {
  if (text == "compact") return SolveModel::kCompact;
  if (text == "full") return SolveModel::kFull;
  throw UsageError("the argument ('" + text + "') for option '--solve-model' is invalid; use compact or full");
}

// Whether `word` (and the word after it, `next`, or null) gives an output
// of kFileOptions the value "-": "--report -" or "--report=-".
bool givesStandardOutput(std::string_view word, const char* next) {
  for (const FileOption& option : kFileOptions) {
    if (!option.standardOutput) continue;
    const std::string name = std::string("--") + option.name;
    if (word == name + "=-") return true;
    if (word == name && next != nullptr && std::string_view(next) == "-") return true;
  }
  return false;
}

// Whether the words of a command line ask for standard output ("-o -",
// "-o-", "--output -", "--report=-", ...); for one that could not be read.
bool namesStandardOutput(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i] != nullptr ? argv[i] : "";
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    if (word == "-o-" || (word == "-o" && next != nullptr && std::string_view(next) == "-")) return true;
    if (givesStandardOutput(word, next)) return true;
  }
  return false;
}

// Whether the words of a command line that could not be read ask for a
// genome listing.
bool namesListing(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != nullptr && std::string_view(argv[i]) == "--list-genomes") return true;
  }
  return false;
}

// Throws UsageError when an option that the others require is missing, or
// when the options of a listing or of solving do not go together.
void requireNeededOptions(const po::variables_map& values) {
  const bool hasInput = values.count("input") != 0;
  const bool hasOutput = values.count("output") != 0;
  const bool listGenomes = values.count("list-genomes") != 0;
  const bool writeModel = values.count("write-model") != 0;
  if (listGenomes) requireListingOptions(values);
  const bool outputOptional = values.count("solve") != 0 || values.count("solution") != 0 ||
                              values.count("matching") != 0 || listGenomes || writeModel ||
                              values.count("write-genomes") != 0;
  if (!hasInput && !hasOutput && !outputOptional) {
    throw UsageError("the options '--input' and '--output' are required but missing");
  }
  if (!hasInput) throw UsageError("the option '--input' is required but missing");
  if (!hasOutput && !outputOptional) {
    throw UsageError("the option '--output' is required but missing");
  }
  requireSolvingOptions(values);
}

// How to read the input: --format, --pair and --drop-unshared. Throws
// UsageError on a format or pair it cannot read.
InputChoices inputChoicesOf(const po::variables_map& values) {
  InputChoices choices;
  if (values.count("format") != 0) {
    const std::string& name = values["format"].as<std::string>();
    choices.format = parseInputFormat(name);
    if (!choices.format) {
      throw UsageError("the argument ('" + name +
                       "') for option '--format' is invalid; use native, unimog, grimm or gff");
    }
  }
  if (values.count("pair") != 0) {
    try {
      choices.pair = parsePairChoice(values["pair"].as<std::string>());
    } catch (const std::invalid_argument& error) {
      throw UsageError(std::string("the argument for option '--pair' is invalid: ") +
                       error.what());
    }
  }
  choices.dropUnshared = values.count("drop-unshared") != 0;
  choices.keepUnshared = values.count("keep-unshared") != 0;
  if (choices.dropUnshared && choices.keepUnshared) {
    throw UsageError("the options '--drop-unshared' and '--keep-unshared' exclude each other");
  }
  return choices;
}

// Sets the solving choices of `parameters`: --solve, --time-limit,
// --threads, --solve-model and --match-all. Throws UsageError on a value it
// cannot read.
void setSolvingChoices(const po::variables_map& values, RunParameters& parameters) {
  parameters.solve = values.count("solve") != 0;
  if (values.count("time-limit") != 0) {
    parameters.timeLimitSeconds = timeLimitOf(values["time-limit"].as<std::string>());
  }
  if (values.count("threads") != 0) {
    parameters.threads =
        threadsOf(values["threads"].as<std::string>(), values.count("oversubscribe") != 0);
  }
  if (values.count("solve-model") != 0) parameters.solveModel = solveModelOf(values["solve-model"].as<std::string>());
  parameters.matchAll = values.count("match-all") != 0;
}

// Reads every option of kFileOptions but --input (read before, as it may
// be given several times): relative paths joined to `directory`, "-" kept
// for the outputs that take standard output. The files read keep their
// names as given, for the summary.
void readFileOptions(const po::variables_map& values, const std::string& directory,
                     RunParameters& parameters) {
  for (const FileOption& option : kFileOptions) {
    if (option.path == &RunParameters::inputPath || values.count(option.name) == 0) continue;
    const std::string value = values[option.name].as<std::string>();
    parameters.*option.path =
        option.standardOutput && value == "-" ? value : joinToDirectory(directory, value);
  }
  if (values.count("solution") != 0) parameters.solutionDisplay = values["solution"].as<std::string>();
  if (values.count("matching") != 0) parameters.matchingDisplay = values["matching"].as<std::string>();
}

// The parameters of a run from the values of its command line. Throws
// UsageError on what readCommandLine lists.
RunParameters parametersOf(const po::variables_map& values) {
  requireNeededOptions(values);
  const std::string directory = boost::filesystem::current_path().string();
  RunParameters parameters;
  for (const std::string& input : values["input"].as<std::vector<std::string>>()) {
    parameters.inputPaths.push_back(joinToDirectory(directory, input));
  }
  parameters.inputPath = parameters.inputPaths.front();
  readFileOptions(values, directory, parameters);
  parameters.listGenomes = values.count("list-genomes") != 0;
  parameters.portable = values.count("portable") != 0;
  parameters.choices = inputChoicesOf(values);
  readAnnotationOptions(values, directory, parameters);
  setSolvingChoices(values, parameters);
  return parameters;
}

}  // namespace

std::string_view programName(std::string_view argv0) {
  const size_t backslash = argv0.rfind('\\');
  if (backslash != std::string_view::npos) return argv0.substr(backslash + 1);
  const size_t slash = argv0.rfind('/');
  if (slash != std::string_view::npos) return argv0.substr(slash + 1);
  return argv0;
}

CommandLine readCommandLine(int argc, const char* const argv[]) {
  CommandLine line;
  try {
    const po::options_description options = describeOptions();
    const po::variables_map values = parseValues(argc, argv, options);
    if (values.count("help") != 0) {
      const std::string_view name =
          argc > 0 && argv[0] != nullptr ? programName(argv[0]) : "paralog-ilp";
      std::ostringstream usage;
      usage << "Usage: " << name << " -i [file] -o [file]\n" << options;
      line.request = CommandLine::Request::kHelp;
      line.usage = usage.str();
    } else if (values.count("version") != 0) {
      line.request = CommandLine::Request::kVersion;
    } else {
      line.parameters = parametersOf(values);
      line.outputToStandardOutput = std::any_of(
          std::begin(kFileOptions), std::end(kFileOptions),
          [&line](const FileOption& option) { return option.written && line.parameters.*option.path == "-"; });
      line.listing = line.parameters.listGenomes;
    }
  } catch (...) {
    line.failure = std::current_exception();
    line.outputToStandardOutput = namesStandardOutput(argc, argv);
    line.listing = namesListing(argc, argv);
  }
  return line;
}

}  // namespace paralog
