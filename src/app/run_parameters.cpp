#include "app/run_parameters.h"

#include <boost/filesystem/operations.hpp>
#include <boost/program_options.hpp>

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
      ("drop-unshared", "Drop genes missing from either genome");
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

}  // namespace

std::string_view programName(std::string_view argv0) {
  const size_t backslash = argv0.rfind('\\');
  if (backslash != std::string_view::npos) return argv0.substr(backslash + 1);
  const size_t slash = argv0.rfind('/');
  if (slash != std::string_view::npos) return argv0.substr(slash + 1);
  return argv0;
}

bool asksForVersion(int argc, const char* const argv[]) {
  po::variables_map values;
  try {
    values = parseValues(argc, argv, describeOptions());
  } catch (const UsageError&) {
    // Not a version request; parseParameters reports the fault.
    return false;
  }
  return values.count("version") != 0 && values.count("help") == 0;
}

std::optional<RunParameters> parseParameters(int argc, const char* const argv[],
                                             std::ostream& usage) {
  const po::options_description options = describeOptions();
  const po::variables_map values = parseValues(argc, argv, options);

  if (values.count("help") != 0) {
    const std::string_view name =
        argc > 0 && argv[0] != nullptr ? programName(argv[0]) : "paralog-ilp";
    usage << "Usage: " << name << " -i [file] -o [file]\n" << options;
    return std::nullopt;
  }
  // Answered by the caller, which asked asksForVersion first.
  if (values.count("version") != 0) return std::nullopt;

  const bool hasInput = values.count("input") != 0;
  const bool hasOutput = values.count("output") != 0;
  if (!hasInput && !hasOutput) {
    throw UsageError("the options '--input' and '--output' are required but missing");
  }
  if (!hasInput) throw UsageError("the option '--input' is required but missing");
  if (!hasOutput) throw UsageError("the option '--output' is required but missing");

  const std::string directory = boost::filesystem::current_path().string();
  RunParameters parameters;
  parameters.inputPath = joinToDirectory(directory, values["input"].as<std::string>());
  const std::string output = values["output"].as<std::string>();
  parameters.outputPath = output == "-" ? output : joinToDirectory(directory, output);
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
  return parameters;
}

}  // namespace paralog
