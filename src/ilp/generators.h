#ifndef PARALOG_ILP_GENERATORS_H
#define PARALOG_ILP_GENERATORS_H

#include "genome/genome.h"
#include "ilp/gene_match_sum.h"
#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {

// The generators of the seven variable families, called by the driver in
// this order. Each of the first six prints its progress line ("Calculating Z
// variables\n" and so on) on standard output first, takes every variable
// name from `storage` and hands every line to `task.addConstraint`. Both
// structures must hold the same gene names (the reader checks this).

/// z: every copy of a gene common to both structures is matched at most once.
void generateZVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// t: pairs of gene ends within each structure, tied to the matching.
void generateTVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// u: adjacency labels, their bounds and the equal-label constraints.
void generateUVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// p: one indicator per numbered adjacency whose label reaches its number.
void generatePVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// r: gene-end values in -1..1 tied to adjacencies, t pairs and matching.
void generateRVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// l: one value per gene end of the first structure, tied to z and r.
void generateLVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// o: one weighted variable per circular chromosome of `own` with at least
/// two genes. Prints nothing; the driver prints "Calculating O variables\n"
/// and calls it for (first, second, firstGeneMatchSum), then for
/// (second, first, secondGeneMatchSum).
void generateOVariables(IlpTask& task, VariablesStorage& storage, const Structure& own,
                        const Structure& other, GeneMatchSumBuilder builder);

}  // namespace paralog

#endif  // PARALOG_ILP_GENERATORS_H
