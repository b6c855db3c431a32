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
/// (distinct gene names). A control byte in a name (a tab, say) is written
/// as \xNN so that each line keeps its seven fields.
std::string genomeListing(const std::vector<Structure>& structures, InputFormat format);

}  // namespace paralog

#endif  // PARALOG_REPORT_GENOME_LISTING_H
