#ifndef PARALOG_MATCHING_MATCHING_FILE_H
#define PARALOG_MATCHING_MATCHING_FILE_H

#include <string>
#include <string_view>
#include <vector>

#include "genome/genome.h"
#include "matching/genome_pair_graph.h"

namespace paralog {

/// Reads a matching from the table that --report writes: the header
/// "gene\tfirst\tsecond", then one line per copy with the gene name as the
/// input wrote it and the copy index in each genome, "-" where a copy is
/// unmatched. Lines with a "-" name no pair and are skipped; every other
/// line pairs two copies of its gene. `first` is the structure the graph's
/// genome names come from (for the escaped names of UniMoG and GRIMM
/// files). Throws std::runtime_error, its message starting with
/// `sourceName` ":" and the line number, for a malformed line, a gene or
/// copy the compared genomes lack, or a copy in two pairs.
std::vector<CopyPair> parseMatchingFile(std::string_view text, const std::string& sourceName,
                                        const GenomePairGraph& graph, const Structure& first);

}  // namespace paralog

#endif  // PARALOG_MATCHING_MATCHING_FILE_H
