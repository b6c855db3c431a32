#include "run_setup/run_parameters.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <vector>

#include "support/option_table.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;

using testutil::kOptionTable;

std::string workingDirectory() {
  std::vector<char> buffer(1 << 16);
  EXPECT_NE(::getcwd(buffer.data(), buffer.size()), nullptr);
  return buffer.data();
}

CommandLine read(std::vector<const char*> args) {
  return readCommandLine(static_cast<int>(args.size()), args.data());
}

// Reads `args` (argv[0] first) and returns the parameters of a run, none for
// help or the version; the usage text goes to `usage`. Throws the failure.
std::optional<RunParameters> parse(std::vector<const char*> args, std::ostream& usage) {
  const CommandLine line = read(std::move(args));
  if (line.failure) std::rethrow_exception(line.failure);
  usage << line.usage;
  if (line.request != CommandLine::Request::kRun) return std::nullopt;
  return line.parameters;
}

std::optional<RunParameters> parse(std::vector<const char*> args) {
  std::ostringstream usage;
  return parse(std::move(args), usage);
}

// The message of the UsageError that parsing `args` raises.
std::string usageError(std::vector<const char*> args) {
  try {
    parse(std::move(args));
  } catch (const UsageError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ParseParametersTest, HelpWinsOverEveryOtherOption) {
  for (const std::vector<const char*>& args :
       {std::vector<const char*>{"paralog-ilp", "-h"},
        std::vector<const char*>{"paralog-ilp", "--help"},
        std::vector<const char*>{"paralog-ilp", "-i", "in.txt", "-h", "-o", "out.lp"},
        std::vector<const char*>{"paralog-ilp", "-h", "--output=out.lp"}}) {
    std::ostringstream usage;
    EXPECT_EQ(parse(args, usage), std::nullopt);
    EXPECT_EQ(usage.str(), std::string("Usage: paralog-ilp -i [file] -o [file]\n") + kOptionTable);
  }
}

bool asksForVersion(std::vector<const char*> args) {
  const CommandLine line = read(std::move(args));
  return !line.failure && line.request == CommandLine::Request::kVersion;
}

TEST(ParseParametersTest, VersionIsAskedForUnlessHelpIsToo) {
  EXPECT_TRUE(asksForVersion({"p", "--version"}));
  EXPECT_TRUE(asksForVersion({"p", "-i", "in.txt", "--version", "-o", "out.lp"}));
  // The option parser accepts an unambiguous start of a long option name.
  EXPECT_TRUE(asksForVersion({"p", "--vers"}));
  EXPECT_FALSE(asksForVersion({"p", "--version", "-h"}));
  EXPECT_FALSE(asksForVersion({"p", "-i", "in.txt", "-o", "out.lp"}));
  EXPECT_FALSE(asksForVersion({}));
  // A command line the parser refuses is left to parseParameters to report.
  EXPECT_FALSE(asksForVersion({"p", "--version", "--bogus"}));
  EXPECT_FALSE(asksForVersion({"p", "--version", "extra"}));
  EXPECT_FALSE(asksForVersion({"p", "--version=1"}));
  EXPECT_EQ(usageError({"p", "--version", "--bogus"}), "unrecognised option '--bogus'");

  // Asked for the version, the parser returns nothing to run and no usage.
  std::ostringstream usage;
  EXPECT_EQ(parse({"p", "--version", "-i", "in.txt"}, usage), std::nullopt);
  EXPECT_EQ(usage.str(), "");
}

TEST(ParseParametersTest, ProgramNameIsTheLastPartOfArgv0) {
  EXPECT_EQ(programName("tools\\gen.exe"), "gen.exe");
  EXPECT_EQ(programName("C:\\tools\\bin\\gen.exe"), "gen.exe");
  EXPECT_EQ(programName("./bin/gen"), "gen");
  EXPECT_EQ(programName("/usr/local/bin/paralog-ilp"), "paralog-ilp");
  EXPECT_EQ(programName("gen"), "gen");
  EXPECT_EQ(programName(""), "");
  // A backslash decides before any slash.
  EXPECT_EQ(programName("a\\b/c"), "b/c");

  std::ostringstream usage;
  parse({"tools\\gen.exe", "-h"}, usage);
  EXPECT_EQ(usage.str(), std::string("Usage: gen.exe -i [file] -o [file]\n") + kOptionTable);
}

TEST(ParseParametersTest, RelativeValuesAreJoinedToTheWorkingDirectory) {
  const std::string directory = workingDirectory();
  const std::optional<RunParameters> joined = parse({"p", "--input=in.txt", "-o", "out.lp"});
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->inputPath, directory + "/in.txt");
  EXPECT_EQ(joined->outputPath, directory + "/out.lp");

  const std::optional<RunParameters> longForms =
      parse({"p", "--input", "data/in.txt", "--output=../out.lp"});
  ASSERT_TRUE(longForms);
  EXPECT_EQ(longForms->inputPath, directory + "/data/in.txt");
  EXPECT_EQ(longForms->outputPath, directory + "/../out.lp");
}

TEST(ParseParametersTest, AbsoluteValuesAreTakenUnchanged) {
  const std::optional<RunParameters> parameters =
      parse({"p", "-i", "/data/in.txt", "--output", "/results/out.lp"});
  ASSERT_TRUE(parameters);
  EXPECT_EQ(parameters->inputPath, "/data/in.txt");
  EXPECT_EQ(parameters->outputPath, "/results/out.lp");
}

TEST(ParseParametersTest, MisuseIsAUsageError) {
  EXPECT_EQ(usageError({"p", "-i", "in.txt", "-o", "out.lp", "--bogus"}),
            "unrecognised option '--bogus'");
  EXPECT_THAT(usageError({"p", "-x", "-i", "in.txt", "-o", "out.lp"}), HasSubstr("'-x'"));
  EXPECT_EQ(usageError({"p", "-o", "out.lp", "-i"}),
            "the required argument for option '--input' is missing");
  EXPECT_THAT(usageError({"p", "-i", "a", "-i", "b", "-o", "out.lp"}), HasSubstr("'--input'"));
  // An argument that belongs to no option is refused, not ignored.
  EXPECT_EQ(usageError({"p", "-i", "in.txt", "-o", "out.lp", "extra"}),
            "unexpected argument 'extra'");
  EXPECT_EQ(usageError({"p", "-i", "in.txt", "out.lp"}), "unexpected argument 'out.lp'");
}

TEST(ParseParametersTest, MissingInputOrOutputIsNamed) {
  EXPECT_EQ(usageError({"p", "-o", "out.lp"}), "the option '--input' is required but missing");
  EXPECT_EQ(usageError({"p", "--input=in.txt"}), "the option '--output' is required but missing");
  EXPECT_EQ(usageError({"p"}), "the options '--input' and '--output' are required but missing");
  EXPECT_EQ(usageError({}), "the options '--input' and '--output' are required but missing");
}

TEST(ParseParametersTest, SolvingOptions) {
  const std::optional<RunParameters> solved = parse(
      {"p", "-i", "in.txt", "--solve", "--time-limit", "2.5", "--threads", "2", "--oversubscribe",
       "--report", "/r.tsv"});
  ASSERT_TRUE(solved);
  EXPECT_TRUE(solved->solve);
  EXPECT_EQ(solved->outputPath, "");  // the LP file is written only when asked for
  EXPECT_EQ(solved->timeLimitSeconds, 2.5);
  EXPECT_EQ(solved->threads, 2);
  EXPECT_EQ(solved->reportPath, "/r.tsv");

  const std::optional<RunParameters> fromFile =
      parse({"p", "-i", "/in.txt", "--solution", "/x.sol", "-o", "/o.lp"});
  ASSERT_TRUE(fromFile);
  EXPECT_FALSE(fromFile->solve);
  EXPECT_EQ(fromFile->solutionPath, "/x.sol");
  EXPECT_EQ(fromFile->solutionDisplay, "/x.sol");
  EXPECT_EQ(fromFile->outputPath, "/o.lp");
  EXPECT_EQ(fromFile->threads, 1);
  EXPECT_FALSE(fromFile->timeLimitSeconds);
}

TEST(ParseParametersTest, SolvingOptionsMisused) {
  EXPECT_EQ(usageError({"p", "-i", "a", "--solve", "--solution", "x.sol"}),
            "the options '--solve' and '--solution' cannot be given together");
  EXPECT_EQ(usageError({"p", "-i", "a", "--solution", "x.sol", "--matching", "m.tsv"}),
            "the options '--solution' and '--matching' cannot be given together");
  EXPECT_EQ(usageError({"p", "-i", "a", "-o", "b", "--threads", "2"}),
            "the option '--threads' needs '--solve'");
  EXPECT_EQ(usageError({"p", "-i", "a", "--solution", "s", "--time-limit", "2"}),
            "the option '--time-limit' needs '--solve'");
  EXPECT_EQ(usageError({"p", "-i", "a", "-o", "b", "--report", "r"}),
            "the option '--report' needs '--solve', '--solution' or '--matching'");
  EXPECT_EQ(usageError({"p", "-i", "a", "-o", "b", "--write-solution", "w"}),
            "the option '--write-solution' needs '--solve', '--solution' or '--matching'");
  for (const char* limit : {"0", "-1", "abc", "1e999", "2s", ""}) {
    EXPECT_THAT(usageError({"p", "-i", "a", "--solve", "--time-limit", limit}),
                HasSubstr("is not a positive number of seconds"));
  }
  for (const char* threads : {"0", "100", "1.5", "-2", "two"}) {
    EXPECT_THAT(usageError({"p", "-i", "a", "--solve", "--threads", threads, "--oversubscribe"}),
                HasSubstr("is not a whole number from 1 to 99"));
  }
  EXPECT_EQ(usageError({"p", "--solve"}), "the option '--input' is required but missing");
}

}  // namespace
}  // namespace paralog
