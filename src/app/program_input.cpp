#include "app/program_input.h"

#include <stdexcept>
#include <tuple>

#include "genome/grimm_reader.h"
#include "genome/quoted.h"
#include "genome/token_cursor.h"
#include "genome/unimog_reader.h"
#include "genome/unshared_genes.h"

namespace paralog {
namespace {

std::string genomeLabel(const ProgramInput& input, size_t index) {
  return "genome " + std::to_string(index + 1) + " (" + quoted(input.structures[index].name) + ")";
}

std::string counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

size_t copyCount(const Structure& structure) {
  size_t count = 0;
  for (const Chromosome& chromosome : structure.chromosomes) count += chromosome.genes.size();
  return count;
}

}  // namespace

ProgramInput readGenomes(std::string_view text, const std::string& sourceName,
                         std::optional<InputFormat> format,
                         const std::function<void()>& beforeStructures) {
  ProgramInput input;
  input.format = format ? *format : detectInputFormat(text);
  if (input.format == InputFormat::kNative) {
    TokenCursor in(text, sourceName);
    input.paralogTable = readParalogTable(in);
    if (beforeStructures) beforeStructures();
    input.structures = readStructures(in);
    return input;
  }
  if (beforeStructures) beforeStructures();
  input.structures = input.format == InputFormat::kUnimog ? readUnimog(text, sourceName)
                                                          : readGrimm(text, sourceName);
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
