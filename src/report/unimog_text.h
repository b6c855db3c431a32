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
/// (genome/gene_name_escape.h). Throws std::runtime_error for a gene name
/// that would not read back as written (white space, a leading "#", "-",
/// "+" or ">", a last "|" or ")"); the names of genome/annotated_genomes.h
/// always do.
std::string unimogText(const std::vector<Structure>& structures);

}  // namespace paralog

#endif  // PARALOG_REPORT_UNIMOG_TEXT_H
