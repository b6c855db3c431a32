#ifndef PARALOG_RUN_SETUP_PROGRAM_INPUT_H
#define PARALOG_RUN_SETUP_PROGRAM_INPUT_H

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "genome/genome.h"
#include "genome/genome_pair.h"
#include "genome/input_format.h"
#include "genome/reader.h"

namespace paralog {

/// How a run reads its input and picks the two genomes it compares.
struct InputChoices {
  std::optional<InputFormat> format;  ///< unset: told from the content
  std::optional<PairChoice> pair;     ///< unset: the first two genomes
  bool dropUnshared = false;          ///< remove genes of one compared genome only
  bool keepUnshared = false;          ///< keep them as copies without a candidate pair
};

/// A gene copy that a structure lists a second time, where the reader met it.
struct RepeatedCopy {
  size_t structure = 0;   ///< 0-based, in file order
  size_t chromosome = 0;  ///< 0-based, of the second listing
  size_t line = 0;        ///< of the second listing
  size_t firstLine = 0;   ///< of the first listing
  std::string name;       ///< the gene name as the structure holds it
  int32_t index = 0;
};

/// Everything an input text holds. Once chooseComparedPair has passed, the
/// two compared structures are structures[first] and structures[second],
/// and they hold the same gene names unless InputChoices::keepUnshared.
struct ProgramInput {
  InputFormat format = InputFormat::kNative;
  ParalogTable paralogTable;  ///< empty for UniMoG and GRIMM files
  std::vector<Structure> structures;
  size_t first = 0;
  size_t second = 1;
  /// Lines for standard error about what the choice did (genomes ignored,
  /// copies removed), without line ends.
  std::vector<std::string> notes;
  /// The first copy each structure lists twice, for the structures that do.
  std::vector<RepeatedCopy> repeatedCopies;

  const Structure& firstCompared() const { return structures[first]; }
  const Structure& secondCompared() const { return structures[second]; }
};

/// Reads the structures of `text` in `format`, or in the format
/// detectInputFormat tells. `beforeStructures` (when set) is called after
/// the native paralog table is read and before the structures are. Once
/// the whole file is read, refuses a gene copy that would give variable
/// names longer than LP readers accept (ilp/name_length_check.h), naming
/// its line. Throws std::runtime_error on malformed input; messages start
/// with `sourceName`.
ProgramInput readGenomes(std::string_view text, const std::string& sourceName,
                         std::optional<InputFormat> format,
                         const std::function<void()>& beforeStructures = {});

/// The checks and choices between reading and generating: at least two
/// structures ("<sourceName>: found <n> structure(s); two are needed"), the
/// pair of `choices` (findPair) or the first two, with a note when further
/// genomes are ignored; then, with dropUnshared, the genes of one compared
/// structure only are removed (dropUnsharedGenes) with a note saying how
/// many copies went; with keepUnshared they stay, as copies that no pair
/// can match; else the two must hold the same gene names
/// (requireSameGeneNames). Throws std::runtime_error when a check fails or
/// no gene is left to compare.
void chooseComparedPair(ProgramInput& input, const std::string& sourceName,
                        const InputChoices& choices);

/// Throws std::runtime_error ("<sourceName>:<line>: structure 1 (\"A\"),
/// chromosome 1: copy 1 of gene \"a\" is written twice ...") when one of
/// the compared structures lists a copy twice and still holds its gene:
/// the rows of such a program describe no genome (a gene end with two
/// neighbours on each side), so no matching of it can be solved for or
/// scored; the LP file alone is written as it always was.
/// REQUIRES: chooseComparedPair has passed on `input`.
void refuseRepeatedCopies(const ProgramInput& input, const std::string& sourceName);

/// readGenomes, then chooseComparedPair. Throws std::runtime_error on any
/// fault; messages start with `sourceName`.
ProgramInput readProgramInput(std::string_view text, const std::string& sourceName,
                              const InputChoices& choices = {});

}  // namespace paralog

#endif  // PARALOG_RUN_SETUP_PROGRAM_INPUT_H
