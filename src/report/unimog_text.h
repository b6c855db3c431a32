#ifndef PARALOG_REPORT_UNIMOG_TEXT_H
#define PARALOG_REPORT_UNIMOG_TEXT_H

#include <string>
#include <vector>

#include "genome/genome.h"

namespace paralog {

/// The structures in UniMoG, as --write-genomes writes them: per structure a
/// line ">name", then one line per chromosome of its genes separated by
/// spaces, "-" before a gene on the reverse strand, closed by " |" (linear)
/// or " )" (circular). Gene names are written as the user gave them
/// (genome/gene_name_escape.h). REQUIRES: names that read back as written
/// (no white space, no leading "-" or ">", not ending in "|" or ")"), as
/// genome/annotated_genomes.h gives them.
std::string unimogText(const std::vector<Structure>& structures);

}  // namespace paralog

#endif  // PARALOG_REPORT_UNIMOG_TEXT_H
