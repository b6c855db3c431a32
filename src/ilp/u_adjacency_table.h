#ifndef PARALOG_ILP_U_ADJACENCY_TABLE_H
#define PARALOG_ILP_U_ADJACENCY_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "genome/genome.h"
#include "ilp/adjacency.h"
#include "lp/variables_storage.h"

namespace paralog {

/// One adjacency of a structure together with what every U line about it
/// needs, computed once so that the quadratic loops only read it.
struct UAdjacencyRow {
  Adjacency adjacency;     ///< normalised, as chromosomeAdjacencies lists it
  std::string keys[2];     ///< keys of firstEnd and of secondEnd
  std::string_view uName;  ///< u name under the structure's own id (kept by the storage)
  /// The number its label rows use: the adjacency's number in the
  /// numbering, or for an adjacency of the first structure that the second
  /// also has, the numbering's highest number (its entry carries the second
  /// structure's number, which would cap the label of every cycle through
  /// this node and so keep a cycle whose larger numbers all lie elsewhere
  /// from being counted).
  int32_t number = 0;

  /// Orientation 0 is the adjacency as listed, 1 its reversed view; both
  /// share the U name and the number.
  const Extremity& firstEnd(size_t orientation) const {
    return orientation == 0 ? adjacency.firstEnd : adjacency.secondEnd;
  }
  std::string_view firstKey(size_t orientation) const { return keys[orientation]; }
};

/// The adjacencies of one structure in structureAdjacencies order, with the
/// rows of each chromosome findable.
struct UAdjacencyTable {
  std::vector<UAdjacencyRow> rows;
  /// Rows of chromosome c are [chromosomeStart[c], chromosomeStart[c + 1]);
  /// one entry per chromosome plus a final one equal to rows.size().
  std::vector<size_t> chromosomeStart;
};

/// Lists the adjacencies of `structure` chromosome by chromosome and fills
/// each row: the U names are made (and so registered) through `storage` with
/// structure.id; the numbers come from `numbering`, which must hold every
/// adjacency of `structure` (std::logic_error otherwise). `isFirst` says
/// whether `structure` is the first one numbered (see UAdjacencyRow::number).
UAdjacencyTable buildUAdjacencyTable(const Structure& structure,
                                     const AdjacencyNumbering& numbering, bool isFirst,
                                     VariablesStorage& storage);

}  // namespace paralog

#endif  // PARALOG_ILP_U_ADJACENCY_TABLE_H
