#ifndef PARALOG_REPORT_GENOME_LISTING_H
#define PARALOG_REPORT_GENOME_LISTING_H

#include <string>
#include <vector>

#include "genome/genome.h"
#include "genome/input_format.h"

namespace paralog {

/// The listing that --list-genomes prints: one line per structure, in file
/// order, of seven tab-separated fields: the position counted from 1, the
/// name, the format ("native", "unimog", "grimm" or "gff", as --format spells it),
/// the numbers of linear and of circular chromosomes, the gene copies (a
/// copy written twice in a genome counts once) and the gene families
/// (distinct gene names). In a name, control characters (C0 such as a tab,
/// DEL, C1) and bytes that are not valid UTF-8 are written as \xNN per
/// byte, so that each line keeps its seven fields and no terminal escape
/// gets through; valid UTF-8 letters stay as they are.
std::string genomeListing(const std::vector<Structure>& structures, InputFormat format);

}  // namespace paralog

#endif  // PARALOG_REPORT_GENOME_LISTING_H
