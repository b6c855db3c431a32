#ifndef PARALOG_APP_ANNOTATION_INPUT_H
#define PARALOG_APP_ANNOTATION_INPUT_H

#include <string>
#include <vector>

#include "run_setup/program_input.h"
#include "genome/gff_reader.h"

namespace paralog {

/// Reads the genomes of GFF3 files (one genome per file, in the order of
/// `gffPaths`, each named after its file) with the families of the
/// orthology table at `orthologyPath` (genome/annotated_genomes.h). Every
/// file is read as a stream. Throws std::runtime_error naming the file and
/// line on malformed input, "invalid input file provided: <path>: <reason>"
/// for a file that cannot be opened, and refuses a gene copy that would give
/// variable names longer than LP readers accept.
ProgramInput readAnnotationInput(const std::vector<std::string>& gffPaths,
                                 const std::string& orthologyPath, const GffChoices& choices);

}  // namespace paralog

#endif  // PARALOG_APP_ANNOTATION_INPUT_H
