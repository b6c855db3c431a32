#ifndef PARALOG_GENOME_UNSHARED_GENES_H
#define PARALOG_GENOME_UNSHARED_GENES_H

#include <cstddef>
#include <string_view>

#include "genome/genome.h"

namespace paralog {

// The two compared genomes must hold the same gene names: every copy is
// matched with copies of its name in the other genome. These functions
// refuse genomes that differ, or remove the genes found in one genome only.

/// How many genes of one genome only an error message lists by name.
inline constexpr size_t kListedUnsharedGenes = 10;

/// Throws std::runtime_error unless both structures hold the same gene
/// names. The message reads "<sourceName>: <n> gene(s) occur(s) in only one
/// of the compared genomes: in "<first>" only: "a", "b"; in "<second>"
/// only: "c" ..." listing kListedUnsharedGenes genes at most (those of the
/// first structure first, each structure's in byte order of their names,
/// shown as the user wrote them), then "and <k> more" for the rest, and
/// names the option --drop-unshared.
void requireSameGeneNames(const Structure& first, const Structure& second,
                          std::string_view sourceName);

/// Removes from both structures every copy of a gene that the other
/// structure lacks, and every chromosome left without genes; the remaining
/// copies keep their order, indices and signs, and chromosomes their kind.
/// Returns the number of copies removed.
size_t dropUnsharedGenes(Structure& first, Structure& second);

}  // namespace paralog

#endif  // PARALOG_GENOME_UNSHARED_GENES_H
