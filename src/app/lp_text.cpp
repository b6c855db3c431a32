#include "app/lp_text.h"

#include "app/generate_program.h"
#include "common/byte_sink.h"
#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {

std::string lpTextFromStructures(const Structure& first, const Structure& second) {
  IlpTask task;
  VariablesStorage storage;
  generateProgram(task, first, second, storage);
  std::string text;
  StringSink sink(text);
  storage.writeLp(sink, task);
  return text;
}

std::string lpTextFromInput(std::string_view text, const std::string& sourceName,
                            const InputChoices& choices) {
  const ProgramInput input = readProgramInput(text, sourceName, choices);
  return lpTextFromStructures(input.firstCompared(), input.secondCompared());
}

}  // namespace paralog
