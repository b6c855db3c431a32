// The LP text of a program held in memory (--write-model's layout), byte for
// byte on a small program with what the compact model never has yet may
// get: repeated and cancelling terms, a variable named only by its bounds
// or its declaration, fractional coefficients, no objective.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "common/byte_sink.h"
#include "model/program_lp_file.h"

namespace paralog {
namespace {

ProgramVariable& add(LinearProgram& program, const char* name, VariableKind kind, double upper, double objective) {
  ProgramVariable& variable = program.variables()[program.addVariable(name)];
  variable.kind = kind;
  variable.upper = upper;
  variable.objective = objective;
  return variable;
}

TEST(ProgramLpFileTest, MergesRowsAndNumbersVariablesAsTheFileNamesThem) {
  const double infinity = std::numeric_limits<double>::infinity();
  LinearProgram program;
  add(program, "v0", VariableKind::kGeneral, infinity, 0);      // named by its declaration only
  add(program, "v1", VariableKind::kContinuous, 2.5, 0);        // by its bound only
  add(program, "v2", VariableKind::kContinuous, 1, -0.5);
  add(program, "v3", VariableKind::kBinary, 1, 0);
  add(program, "v4", VariableKind::kContinuous, infinity, 0);   // nowhere: gets a bound line
  program.rows().push_back({{{3, 1}, {2, 2}, {3, 1}}, Relation::kLessEqual, 1.5});
  program.rows().push_back({{{2, 1}, {2, -1}}, Relation::kEqual, 0});
  const LinearProgram written = inWrittenOrder(program, {"g", "b", "c", "x", "free"});
  std::string text;
  StringSink sink(text);
  writeProgramLp(written, sink);
  EXPECT_EQ(text,
            "Minimize\n\t- 0.5 c\n\nSubject To\n\t2 x + 2 c <= 1.5\n\t0 c = 0\n\nBounds\n\tc <= 1\n\tb <= 2.5\n"
            "\tfree >= 0\n\nBinary\n\tx\n\nGeneral\n\tg\n\nEnd\n");
  std::vector<std::string> order;
  for (const ProgramVariable& variable : written.variables()) order.push_back(variable.name);
  EXPECT_EQ(order, (std::vector<std::string>{"c", "x", "b", "free", "g"}));

  // Without an objective the first variable stands there with 0.
  for (ProgramVariable& variable : program.variables()) variable.objective = 0;
  std::string bare;
  StringSink bareSink(bare);
  writeProgramLp(inWrittenOrder(program, {"g", "b", "c", "x", "free"}), bareSink);
  EXPECT_EQ(bare.substr(0, 17), "Minimize\n\t0 g\n\nSu");
}

}  // namespace
}  // namespace paralog
