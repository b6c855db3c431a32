#ifndef PARALOG_APP_LP_TEXT_H
#define PARALOG_APP_LP_TEXT_H

#include <string>
#include <string_view>
#include <vector>

#include "genome/genome.h"
#include "genome/reader.h"

namespace paralog {

/// Everything an input text holds, once it has passed every check a run
/// makes before generating: at least two structures, and the first two
/// (the ones compared) hold the same gene names.
struct ProgramInput {
  ParalogTable paralogTable;
  std::vector<Structure> structures;
};

/// Throws std::runtime_error unless `structures` holds at least two
/// structures ("<sourceName>: found <n> structure(s); two are needed") and
/// the first two hold the same gene names (see requireSameGeneNames). These
/// are the checks between reading and generating that the reader itself
/// cannot make.
void requireComparableStructures(const std::vector<Structure>& structures,
                                 const std::string& sourceName);

/// Reads the paralog table and the structures from `text` and applies
/// requireComparableStructures. Throws std::runtime_error on any fault;
/// messages start with `sourceName`.
ProgramInput readProgramInput(std::string_view text, const std::string& sourceName);

/// The LP file the program writes for `first` and `second`, built in
/// memory on the calling thread alone (no row pipeline), as a reference for
/// the file path; the progress lines go to standard output. The two
/// structures must hold the same gene names. Memory use grows with the LP
/// text, which grows with the square and cube of the genomes.
std::string lpTextFromStructures(const Structure& first, const Structure& second);

/// The whole path from input text to LP text without any file:
/// readProgramInput, then lpTextFromStructures on the first two structures.
/// Byte for byte what a run writes for the same input; throws what either
/// step throws.
std::string lpTextFromInput(std::string_view text, const std::string& sourceName);

}  // namespace paralog

#endif  // PARALOG_APP_LP_TEXT_H
