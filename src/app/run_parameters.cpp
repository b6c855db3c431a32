#include "app/run_parameters.h"

#include <sched.h>

#include <algorithm>

#include <boost/filesystem/operations.hpp>
#include <boost/program_options.hpp>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "solve/embedded_cbc.h"

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
      ("input,i", po::value<std::string>(), "File with paralogs and structs")
      ("output,o", po::value<std::string>(), "Linear programming task (- for stdout; *.gz: gzip)")
      ("portable", "Write an LP file every solver reads alike")
      ("format", po::value<std::string>(), "Input format: native, unimog or grimm")
      ("pair", po::value<std::string>(), "Genomes to compare: A,B (names or numbers)")
      ("drop-unshared", "Drop genes missing from either genome")
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
      ("list-genomes", "List the genomes of the input file and stop");
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
    if (name != "list-genomes" && name != "input" && name != "format") {
      throw UsageError("the option '--" + name + "' cannot be given with '--list-genomes'");
    }
  }
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

// The parameters of a run from the values of its command line. Throws
// UsageError on what readCommandLine lists.
RunParameters parametersOf(const po::variables_map& values) {
  const bool hasInput = values.count("input") != 0;
  const bool hasOutput = values.count("output") != 0;
  const bool solve = values.count("solve") != 0;
  const bool hasSolution = values.count("solution") != 0;
  const bool hasMatching = values.count("matching") != 0;
  const bool listGenomes = values.count("list-genomes") != 0;
  if (listGenomes) requireListingOptions(values);
  const bool outputOptional = solve || hasSolution || hasMatching || listGenomes;
  if (!hasInput && !hasOutput && !outputOptional) {
    throw UsageError("the options '--input' and '--output' are required but missing");
  }
  if (!hasInput) throw UsageError("the option '--input' is required but missing");
  if (!hasOutput && !outputOptional) {
    throw UsageError("the option '--output' is required but missing");
  }
  requireSolvingOptions(values);

  const std::string directory = boost::filesystem::current_path().string();
  RunParameters parameters;
  for (const FileOption& option : kFileOptions) {
    if (values.count(option.name) == 0) continue;
    const std::string value = values[option.name].as<std::string>();
    parameters.*option.path =
        option.standardOutput && value == "-" ? value : joinToDirectory(directory, value);
  }
  parameters.listGenomes = listGenomes;
  parameters.portable = values.count("portable") != 0;
  if (values.count("format") != 0) {
    const std::string& name = values["format"].as<std::string>();
    parameters.choices.format = parseInputFormat(name);
    if (!parameters.choices.format) {
      throw UsageError("the argument ('" + name +
                       "') for option '--format' is invalid; use native, unimog or grimm");
    }
  }
  if (values.count("pair") != 0) {
    try {
      parameters.choices.pair = parsePairChoice(values["pair"].as<std::string>());
    } catch (const std::invalid_argument& error) {
      throw UsageError(std::string("the argument for option '--pair' is invalid: ") +
                       error.what());
    }
  }
  parameters.choices.dropUnshared = values.count("drop-unshared") != 0;
  parameters.solve = solve;
  if (values.count("time-limit") != 0) {
    parameters.timeLimitSeconds = timeLimitOf(values["time-limit"].as<std::string>());
  }
  if (values.count("threads") != 0) {
    parameters.threads =
        threadsOf(values["threads"].as<std::string>(), values.count("oversubscribe") != 0);
  }
  if (values.count("solve-model") != 0) parameters.solveModel = solveModelOf(values["solve-model"].as<std::string>());
  parameters.matchAll = values.count("match-all") != 0;
  if (hasSolution) parameters.solutionDisplay = values["solution"].as<std::string>();
  if (hasMatching) parameters.matchingDisplay = values["matching"].as<std::string>();
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
