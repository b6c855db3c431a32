#ifndef PARALOG_SUPPORT_LP_TEXT_H
#define PARALOG_SUPPORT_LP_TEXT_H

#include <string>
#include <string_view>

#include "run_setup/program_input.h"
#include "genome/genome.h"
#include "model/linear_program.h"

namespace paralog {

/// The LP file the program writes for `first` and `second`, built in
/// memory on the calling thread alone (no row pipeline), as a reference for
/// the file path; the progress lines go to standard output. The two
/// structures must hold the same gene names. Memory use grows with the LP
/// text, which grows with the square and cube of the genomes.
std::string lpTextFromStructures(const Structure& first, const Structure& second);

/// The program of `first` and `second` held in memory, as a solving run
/// builds it; the progress lines go to standard output. The structures must
/// hold the same gene names.
LinearProgram buildLinearProgram(const Structure& first, const Structure& second);

/// The whole path from input text to LP text without any file:
/// readProgramInput, then lpTextFromStructures on the compared structures.
/// Byte for byte what a run writes for the same input and choices; throws
/// what either step throws.
std::string lpTextFromInput(std::string_view text, const std::string& sourceName,
                            const InputChoices& choices = {});

}  // namespace paralog

#endif  // PARALOG_SUPPORT_LP_TEXT_H
