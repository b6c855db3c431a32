#ifndef PARALOG_GENOME_UNIMOG_READER_H
#define PARALOG_GENOME_UNIMOG_READER_H

#include <string>
#include <string_view>
#include <vector>

#include "genome/gene_lines.h"
#include "genome/genome.h"
#include "genome/marked_genome_reader.h"

namespace paralog {

/// UniMoG files: ">name" lines, then chromosomes of genes separated by
/// white space, "-" before a reversed gene, each chromosome closed by "|"
/// (linear) or ")" (circular). Repeated gene names are paralogs.
inline constexpr ChromosomeEndMarkers kUnimogEnds{"UniMoG", '|', ')'};

/// Reads a UniMoG file as described in genome/marked_genome_reader.h.
StructuresRead readUnimog(std::string_view text, const std::string& sourceName);

}  // namespace paralog

#endif  // PARALOG_GENOME_UNIMOG_READER_H
