// The check of an assignment while its program streams by, against the check
// of the program held in memory: on CBC's optima of small programs and on
// those optima with values changed at random, both give the same verdict,
// count the same broken requirements and, when a row breaks, name the same
// first row; so does the check that leaves zero t names unspelled. A
// solution file written from the assignment reads back to it, and a stop
// request ends the check.

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "run_setup/program_input.h"
#include "solution_files/solution_file.h"
#include "solver/embedded_cbc.h"
#include "solver/solution_check.h"
#include "solve/solve_run.h"
#include "solve/streamed_check.h"
#include "solve/stoppable_consumer.h"
#include "solve/streamed_solution_file.h"
#include "support/lp_text.h"
#include "support/quiet_stdout.h"

namespace paralog {
namespace {

constexpr const char* kInputs[] = {
    "0\n2\nx 1 : 1 :\nL 3 : +a.1-a.2+b.1;\ny 2 : 2 :\nL 2 : +a.1-b.1;\nC 1 : +a.2;\n",
    "0\n2\nA 1 : 1 :\nC 4 : +a.1+b.1+c.1+a.2;\nB 2 : 1 :\nC 3 : +a.1+b.1+c.1;\n",
    "0\n2\nA 1 : 2 :\nC 2 : +a.1-b.1;\nL 1 : +c.1;\nB 2 : 1 :\nL 3 : +b.1+c.1+a.1;\n",
};

void quiet(std::string_view) {}

NamedValues namedValues(const LinearProgram& program, const std::vector<double>& values) {
  NamedValues named;
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] != 0) {
      EXPECT_TRUE(named.set(program.variables()[i].name, values[i]));
    }
  }
  return named;
}

std::string inMemoryVerdict(const LinearProgram& program, const std::vector<double>& values) {
  try {
    requireValidSolution(program, values, objectiveAt(program, values), "s");
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "accepted";
}

std::string streamedVerdict(const ProgramInput& input, const NamedValues& values,
                            double objective) {
  StreamedSolutionCheck check(values);
  buildProgram(input.firstCompared(), input.secondCompared(), check, quiet,
               RowThreads::kSecondThread, LpFile::kNone);
  try {
    check.require("s", objective);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "accepted";
}

// The verdict of requireValidAssignment, which leaves the t names without
// a value unspelled (and spells them all only to name a broken row).
std::string assignmentVerdict(const ProgramInput& input, const NamedValues& values) {
  try {
    requireValidAssignment(input.firstCompared(), input.secondCompared(), values, "s", quiet);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "accepted";
}

// The verdict up to the first broken requirement, which the two checks may
// pick differently among bounds and declarations.
std::string withoutFirst(const std::string& verdict) {
  return verdict.find("its left side") != std::string::npos ? verdict
                                                            : verdict.substr(0, verdict.find(" the first: "));
}

TEST(StreamedCheckTest, JudgesLikeTheCheckOfTheWholeProgram) {
  std::mt19937 random(7);
  for (const char* text : kInputs) {
    SCOPED_TRACE(text);
    const ProgramInput input = readProgramInput(text, "in");
    testutil::QuietStdout quietStdout;
    const LinearProgram program = buildLinearProgram(input.firstCompared(), input.secondCompared());
    SolveResult result = solveWithCbc(program, SolveOptions{});
    ASSERT_EQ(result.solution.status, SolutionStatus::kOptimal);
    std::vector<double>& optimum = result.solution.values;
    roundValues(optimum);
    EXPECT_EQ(streamedVerdict(input, namedValues(program, optimum), objectiveAt(program, optimum)),
              "accepted");

    const double changes[] = {1, -1, 2, -2, 0.5};
    std::uniform_int_distribution<size_t> pick(0, optimum.size() - 1);
    for (int round = 0; round < 60; ++round) {
      std::vector<double> values = optimum;
      const size_t variable = pick(random);
      values[variable] += changes[round % 5];
      SCOPED_TRACE(program.variables()[variable].name);
      const std::string expected = inMemoryVerdict(program, values);
      const NamedValues named = namedValues(program, values);
      const std::string streamed = streamedVerdict(input, named, objectiveAt(program, values));
      EXPECT_EQ(withoutFirst(streamed), withoutFirst(expected));
      EXPECT_EQ(assignmentVerdict(input, named), streamed);
    }
  }
}

TEST(StreamedCheckTest, RefusesValuesForNamesThatAreNoVariables) {
  const ProgramInput input = readProgramInput(kInputs[1], "in");
  NamedValues values;
  ASSERT_TRUE(values.set("z_q.1.1", 0));
  ASSERT_FALSE(values.set("z_q.1.1", 1));
  EXPECT_EQ(streamedVerdict(input, values, 0),
            "s: a value is given for \"z_q.1.1\", which is no variable of the program");
}

// A raised stop request ends the check of a program of more rows than it
// looks between (thousands, from 30 genes) with GenerationStopped.
TEST(StreamedCheckTest, AStopRequestEndsTheCheck) {
  std::string genes;
  for (int g = 1; g <= 30; ++g) genes += "+g" + std::to_string(g) + ".1";
  const ProgramInput input =
      readProgramInput("0\n2\nA 1 : 1 :\nC 30 : " + genes + ";\nB 2 : 1 :\nL 30 : " + genes + ";\n", "in");
  const std::atomic<bool> raised{true};
  const SolveControl stop(std::nullopt, &raised);
  const NamedValues values;
  EXPECT_THROW(requireValidAssignment(input.firstCompared(), input.secondCompared(), values, "s", quiet, nullptr,
                                      LpFile::kNone, {}, &stop),
               GenerationStopped);
}

TEST(StreamedCheckTest, SolutionFileReadsBackToTheAssignment) {
  const ProgramInput input = readProgramInput(kInputs[0], "in");
  testutil::QuietStdout quietStdout;
  const LinearProgram program = buildLinearProgram(input.firstCompared(), input.secondCompared());
  SolveResult result = solveWithCbc(program, SolveOptions{});
  roundValues(result.solution.values);
  const NamedValues values = namedValues(program, result.solution.values);
  std::string text;
  StringSink sink(text);
  StreamedSolutionFile file(sink, values, SolutionStatus::kOptimal);
  EXPECT_EQ(requireValidAssignment(input.firstCompared(), input.secondCompared(), values, "v",
                                   quiet, &file),
            objectiveAt(program, result.solution.values));
  const SolutionFileContent content = parseSolutionFile(text, program, "w.sol");
  EXPECT_EQ(content.format, "CBC");
  EXPECT_EQ(content.status, SolutionStatus::kOptimal);
  EXPECT_EQ(content.values.size(), program.variables().size());  // zeros too
  const Solution read = solutionFromFile(content, program, "w.sol");
  EXPECT_EQ(read.values, result.solution.values);
  EXPECT_EQ(*read.objective, objectiveAt(program, result.solution.values));
}

}  // namespace
}  // namespace paralog
