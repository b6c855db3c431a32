#ifndef PARALOG_ILP_GENERATORS_H
#define PARALOG_ILP_GENERATORS_H

#include "genome/genome.h"
#include "ilp/gene_match_sum.h"
#include "lp/row.h"
#include "lp/variables_storage.h"

namespace paralog {

// The generators of the seven variable families, called in this order by
// generateProgram. Each takes every variable name from `storage` and hands
// every row to `rows` as typed terms; none does any I/O. A gene missing
// from the other structure (kept with --keep-unshared) has copies without
// any z variable: every row reads as if their z variables were 0. All run on the
// calling thread and must not run at the same time on one storage.

/// z: every copy of a gene common to both structures is matched at most once.
void generateZVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// With every family matched (an option): for each gene common to both
/// structures, in key order, the sum of its z variables equals the smaller
/// of its two copy counts.
void generateMatchAllRows(RowSink& rows, const Structure& first, const Structure& second,
                          VariablesStorage& storage);
/// t: pairs of gene ends within each structure, tied to the matching.
void generateTVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// u: adjacency labels, their bounds and the equal-label constraints.
void generateUVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// p: one indicator per numbered adjacency whose label reaches its number.
void generatePVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// r: gene-end values in -1..1 tied to adjacencies, t pairs and matching.
void generateRVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// l: one value per gene end of the first structure, tied to z and r.
void generateLVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage);
/// o: one variable per circular chromosome of `own` with at least two
/// genes; generateProgram calls it for (first, second, firstGeneMatchSum),
/// then for (second, first, secondGeneMatchSum).
void generateOVariables(RowSink& rows, VariablesStorage& storage, const Structure& own,
                        const Structure& other, GeneMatchSumBuilder builder);

}  // namespace paralog

#endif  // PARALOG_ILP_GENERATORS_H
