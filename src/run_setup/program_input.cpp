#include "run_setup/program_input.h"

#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "genome/gene_name_escape.h"
#include "genome/grimm_reader.h"
#include "genome/quoted.h"
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

// The first copy that structure `s` of `read` lists a second time, if any.
std::optional<RepeatedCopy> firstRepeatedCopy(const StructuresRead& read, size_t s) {
  const Structure& structure = read.structures[s];
  const bool repeats = std::any_of(structure.copies.begin(), structure.copies.end(), [](const auto& entry) {
    std::vector<int32_t> indices = entry.second;
    std::sort(indices.begin(), indices.end());
    return std::adjacent_find(indices.begin(), indices.end()) != indices.end();
  });
  if (!repeats) return std::nullopt;
  std::map<std::pair<std::string_view, int32_t>, size_t> firstLines;
  for (size_t c = 0; c < structure.chromosomes.size(); ++c) {
    const std::vector<Gene>& genes = structure.chromosomes[c].genes;
    for (size_t g = 0; g < genes.size(); ++g) {
      const size_t line = read.lines[s][c][g];
      const auto key = std::make_pair(std::string_view(genes[g].name), genes[g].index);
      const auto [at, fresh] = firstLines.emplace(key, line);
      if (!fresh) return RepeatedCopy{s, c, line, at->second, genes[g].name, genes[g].index};
    }
  }
  return std::nullopt;
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
  for (size_t s = 0; s < read.structures.size(); ++s) {
    if (std::optional<RepeatedCopy> repeated = firstRepeatedCopy(read, s)) {
      input.repeatedCopies.push_back(std::move(*repeated));
    }
  }
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
  if (choices.keepUnshared) return;
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

void refuseRepeatedCopies(const ProgramInput& input, const std::string& sourceName) {
  for (const RepeatedCopy& repeated : input.repeatedCopies) {
    if (repeated.structure != input.first && repeated.structure != input.second) continue;
    const Structure& structure = input.structures[repeated.structure];
    // --drop-unshared may have removed the gene, and the repeat with it.
    if (structure.copies.find(repeated.name) == structure.copies.end()) continue;
    const std::string where = input.format == InputFormat::kNative
                                  ? structureContext(repeated.structure + 1, structure.name)
                                  : genomeContext(repeated.structure, structure.name);
    throw std::runtime_error(
        sourceName + ":" + std::to_string(repeated.line) + ": " + where + ", chromosome " +
        std::to_string(repeated.chromosome + 1) + ": copy " + std::to_string(repeated.index) + " of gene " +
        quoted(originalGeneName(structure, repeated.name)) + " is written twice (also on line " +
        std::to_string(repeated.firstLine) +
        "); a genome that holds a copy twice has no matching to solve for (the LP file alone can be written)");
  }
}

ProgramInput readProgramInput(std::string_view text, const std::string& sourceName,
                              const InputChoices& choices) {
  ProgramInput input = readGenomes(text, sourceName, choices.format);
  chooseComparedPair(input, sourceName, choices);
  return input;
}

}  // namespace paralog
