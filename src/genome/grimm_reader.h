#ifndef PARALOG_GENOME_GRIMM_READER_H
#define PARALOG_GENOME_GRIMM_READER_H

#include <string>
#include <string_view>
#include <vector>

#include "genome/gene_lines.h"
#include "genome/genome.h"
#include "genome/marked_genome_reader.h"

namespace paralog {

/// GRIMM files: ">name" lines, "#" comments, then chromosomes of signed
/// genes, each closed by "$" (linear) or "@" (circular). Repeated gene
/// names are paralogs.
inline constexpr ChromosomeEndMarkers kGrimmEnds{"GRIMM", '$', '@'};

/// Reads a GRIMM file as described in genome/marked_genome_reader.h.
StructuresRead readGrimm(std::string_view text, const std::string& sourceName);

}  // namespace paralog

#endif  // PARALOG_GENOME_GRIMM_READER_H
