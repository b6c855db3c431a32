// The solver's model built from the typed rows must be the program that the
// LP file states: the same variables in the same order (external solutions
// such as GLPK's are matched by that order), ranges, kinds, objective, rows
// and the lines quoted in messages.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/linear_program.h"
#include "support/lp_text.h"
#include "support/lp_text_program.h"
#include "support/quiet_stdout.h"
#include "support/run_program.h"

namespace paralog {
namespace {

TEST(LinearProgramBuildTest, TypedRowsGiveTheProgramOfTheLpFile) {
  const testutil::QuietStdout quiet;
  for (const char* example : {"examples/worked-example.txt", "examples/two-genomes.txt",
                              "tests/data/golden/paralogs_circular.txt",
                              "examples/two-genomes.unimog"}) {
    SCOPED_TRACE(example);
    const std::string path = testutil::sourcePath(example);
    const ProgramInput input = readProgramInput(testutil::readFile(path), path);
    const Structure& first = input.firstCompared();
    const Structure& second = input.secondCompared();
    const std::string lp = lpTextFromStructures(first, second);
    const LinearProgram fromText = testutil::linearProgramFromLpText(lp);
    // The constraint lines, as messages quote them.
    std::vector<std::string> lines;
    std::istringstream section(lp.substr(lp.find("Subject To\n") + 11));
    for (std::string line; std::getline(section, line) && !line.empty();) lines.push_back(line.substr(1));
    const LinearProgram typed = buildLinearProgram(first, second);

    ASSERT_EQ(typed.variables().size(), fromText.variables().size());
    for (size_t i = 0; i < typed.variables().size(); ++i) {
      const ProgramVariable& a = typed.variables()[i];
      const ProgramVariable& b = fromText.variables()[i];
      ASSERT_EQ(a.name, b.name) << "variable " << i;
      EXPECT_EQ(a.kind, b.kind) << a.name;
      EXPECT_EQ(a.lower, b.lower) << a.name;
      EXPECT_EQ(a.upper, b.upper) << a.name;
      EXPECT_EQ(a.lowerText, b.lowerText) << a.name;
      EXPECT_EQ(a.upperText, b.upperText) << a.name;
      EXPECT_EQ(a.objective, b.objective) << a.name;
    }
    ASSERT_EQ(typed.rows().size(), fromText.rows().size());
    for (size_t i = 0; i < typed.rows().size(); ++i) {
      const ProgramRow& a = typed.rows()[i];
      const ProgramRow& b = fromText.rows()[i];
      ASSERT_EQ(rowText(typed, a), lines.at(i)) << "row " << i;
      EXPECT_EQ(a.terms, b.terms) << lines[i];
      EXPECT_EQ(a.relation, b.relation) << lines[i];
      EXPECT_EQ(a.rhs, b.rhs) << lines[i];
    }
  }
}

}  // namespace
}  // namespace paralog
