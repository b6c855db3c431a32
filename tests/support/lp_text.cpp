#include "support/lp_text.h"

#include <iostream>

#include "common/byte_sink.h"
#include "ilp/generate_program.h"
#include "lp/lp_writer.h"
#include "model/linear_program_builder.h"

namespace paralog {

std::string lpTextFromStructures(const Structure& first, const Structure& second) {
  std::string text;
  StringSink sink(text);
  LpWriter writer(sink);
  buildProgram(first, second, writer, [](std::string_view line) { std::cout << line; },
               RowThreads::kCallingThread, LpFile::kWritten);
  return text;
}

LinearProgram buildLinearProgram(const Structure& first, const Structure& second) {
  LinearProgram program;
  LinearProgramBuilder builder(program);
  buildProgram(first, second, builder, [](std::string_view line) { std::cout << line; },
               RowThreads::kCallingThread, LpFile::kNone);
  return program;
}

std::string lpTextFromInput(std::string_view text, const std::string& sourceName,
                            const InputChoices& choices) {
  const ProgramInput input = readProgramInput(text, sourceName, choices);
  return lpTextFromStructures(input.firstCompared(), input.secondCompared());
}

}  // namespace paralog
