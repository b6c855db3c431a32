#include "app/lp_text.h"

#include <stdexcept>

#include "app/generate_program.h"
#include "common/byte_sink.h"
#include "genome/token_cursor.h"
#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {

void requireComparableStructures(const std::vector<Structure>& structures,
                                 const std::string& sourceName) {
  if (structures.size() < 2) {
    throw std::runtime_error(sourceName + ": found " + std::to_string(structures.size()) +
                             (structures.size() == 1 ? " structure" : " structures") +
                             "; two are needed");
  }
  // Structures after the second were read and checked but take no part.
  requireDistinctIds(structures[0], structures[1], sourceName);
  requireSameGeneNames(structures[0], structures[1], sourceName);
}

ProgramInput readProgramInput(std::string_view text, const std::string& sourceName) {
  TokenCursor in(text, sourceName);
  ProgramInput input;
  input.paralogTable = readParalogTable(in);
  input.structures = readStructures(in);
  requireComparableStructures(input.structures, sourceName);
  return input;
}

std::string lpTextFromStructures(const Structure& first, const Structure& second) {
  IlpTask task;
  VariablesStorage storage;
  generateProgram(task, first, second, storage);
  std::string text;
  StringSink sink(text);
  storage.writeLp(sink, task);
  return text;
}

std::string lpTextFromInput(std::string_view text, const std::string& sourceName) {
  const ProgramInput input = readProgramInput(text, sourceName);
  return lpTextFromStructures(input.structures[0], input.structures[1]);
}

}  // namespace paralog
