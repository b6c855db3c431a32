#ifndef PARALOG_GENOME_GENE_LINES_H
#define PARALOG_GENOME_GENE_LINES_H

#include <cstddef>
#include <vector>

#include "genome/genome.h"

namespace paralog {

/// The input line each gene copy of a list of structures was read on:
/// lines[s][c][g] for gene g of chromosome c of structure s (all 0-based,
/// in the order of Structure::chromosomes and Chromosome::genes). Checks
/// run after reading use it to point at the copy they refuse.
using GeneLines = std::vector<std::vector<std::vector<size_t>>>;

/// The structures a reader returns, in file order, with the line of every
/// gene copy; both are owned here and `lines` matches `structures` in shape.
struct StructuresRead {
  std::vector<Structure> structures;
  GeneLines lines;
};

}  // namespace paralog

#endif  // PARALOG_GENOME_GENE_LINES_H
