#ifndef PARALOG_COMPACT_MODEL_NAMES_H
#define PARALOG_COMPACT_MODEL_NAMES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compact/compact_model.h"
#include "compact/piece_graph.h"

namespace paralog::compact {

// The names the compact model's columns get in the file --write-model
// writes (docs/compact-model.md, "The model as a file"). They are built from
// the gene ends as the LP file spells them (a gene end "a.2h", an adjacency
// its two ends in byte order, k a genome's id) and never begin like a name
// of the LP file (z_, t_, p_, u_, r_, l_, o_), so that a solution tells by
// its names which of the two it solves:
//
//   m_ gene . i . j     candidate pair (the model's z)
//   d_ k _ n            circular chromosome n (from 0) of genome k is dead
//   y_ k _ lo hi        label of an adjacency;  c_ k _ lo hi  its cycle marker
//   kt_ kf_ q_ k _ key  messages of a gene end (telomere, first genome, odd)
//   te_ to_ be_ bo_ cl_ k _ key   classes of a free end;  tt_ k _ key  T-T end
//   h, x_ k, w_ abc     join counters (abc: the flip parities of a triple)
//
// No name is longer than the longest name of the LP file of the same
// genomes. Columns of any other kind (none today) are named "v_" and
// their position.

/// The name of every column of `model`, by index. `firstId` and
/// `secondId` are the ids of the two structures `graph` was built from.
/// REQUIRES: `model` was built from `graph`.
std::vector<std::string> compactColumnNames(const PieceGraph& graph, const CompactModel& model, int32_t firstId,
                                            int32_t secondId);

/// True when `name` is spelled as a column name of the compact model.
bool isCompactModelName(std::string_view name);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_MODEL_NAMES_H
