#include "run_setup/program_input.h"

#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "genome/grimm_reader.h"
#include "genome/token_cursor.h"
#include "genome/unimog_reader.h"
#include "genome/unshared_genes.h"
#include "ilp/name_length_check.h"

namespace paralog {
namespace {

std::string genomeLabel(const ProgramInput& input, size_t index) {
  return genomeContext(index, input.structures[index].name);
}

std::string counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

size_t copyCount(const Structure& structure) {
  size_t count = 0;
  for (const Chromosome& chromosome : structure.chromosomes) count += chromosome.genes.size();
  return count;
}

// Throws, pointing at the copy, when a copy of `read` (in `format`) gives
// variable names longer than LP readers accept.
void requireNamesFit(const StructuresRead& read, InputFormat format,
                     const std::string& sourceName) {
  const std::optional<NameLengthFault> fault = findTooLongNames(read);
  if (!fault) return;
  const std::string& name = read.structures[fault->structure].name;
  const std::string where = format == InputFormat::kNative
                                ? structureContext(fault->structure + 1, name)
                                : genomeContext(fault->structure, name);
  throw std::runtime_error(sourceName + ":" + std::to_string(fault->line) + ": " + where +
                           ", chromosome " + std::to_string(fault->chromosome + 1) + ": " +
                           fault->message);
}

StructuresRead readStructuresOf(std::string_view text, const std::string& sourceName,
                                ProgramInput& input,
                                const std::function<void()>& beforeStructures) {
  if (input.format == InputFormat::kNative) {
    TokenCursor in(text, sourceName);
    input.paralogTable = readParalogTable(in);
    if (beforeStructures) beforeStructures();
    return readStructures(in);
  }
  if (beforeStructures) beforeStructures();
  return input.format == InputFormat::kUnimog ? readUnimog(text, sourceName)
                                              : readGrimm(text, sourceName);
}

}  // namespace

ProgramInput readGenomes(std::string_view text, const std::string& sourceName,
                         std::optional<InputFormat> format,
                         const std::function<void()>& beforeStructures) {
  ProgramInput input;
  input.format = format ? *format : detectInputFormat(text);
  StructuresRead read = readStructuresOf(text, sourceName, input, beforeStructures);
  requireNamesFit(read, input.format, sourceName);
  input.structures = std::move(read.structures);
  return input;
}

void chooseComparedPair(ProgramInput& input, const std::string& sourceName,
                        const InputChoices& choices) {
  const size_t count = input.structures.size();
  if (count < 2) {
    throw std::runtime_error(sourceName + ": found " + std::to_string(count) +
                             (count == 1 ? " structure" : " structures") + "; two are needed");
  }
  if (choices.pair) {
    std::tie(input.first, input.second) = findPair(input.structures, *choices.pair, sourceName);
  } else {
    input.first = 0;
    input.second = 1;
    if (count > 2) {
      input.notes.push_back("note: comparing " + genomeLabel(input, 0) + " with " +
                            genomeLabel(input, 1) + "; " + counted(count - 2, "more genome", "more genomes") +
                            (count == 3 ? " in the file is" : " in the file are") +
                            " ignored (choose two with --pair A,B)");
    }
  }
  Structure& first = input.structures[input.first];
  Structure& second = input.structures[input.second];
  requireDistinctIds(first, second, sourceName);
  if (!choices.dropUnshared) {
    requireSameGeneNames(first, second, sourceName);
    return;
  }
  const size_t firstBefore = copyCount(first);
  const size_t secondBefore = copyCount(second);
  const size_t removed = dropUnsharedGenes(first, second);
  input.notes.push_back("note: --drop-unshared removed " + counted(removed, "gene copy", "gene copies") + " (" +
                        std::to_string(firstBefore - copyCount(first)) + " from " +
                        genomeLabel(input, input.first) + ", " +
                        std::to_string(secondBefore - copyCount(second)) + " from " +
                        genomeLabel(input, input.second) + ")");
  if (first.copies.empty()) {
    throw std::runtime_error(sourceName + ": " + genomeLabel(input, input.first) + " and " +
                             genomeLabel(input, input.second) +
                             " share no gene; nothing is left to compare");
  }
}

ProgramInput readProgramInput(std::string_view text, const std::string& sourceName,
                              const InputChoices& choices) {
  ProgramInput input = readGenomes(text, sourceName, choices.format);
  chooseComparedPair(input, sourceName, choices);
  return input;
}

}  // namespace paralog
