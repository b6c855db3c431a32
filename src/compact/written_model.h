#ifndef PARALOG_COMPACT_WRITTEN_MODEL_H
#define PARALOG_COMPACT_WRITTEN_MODEL_H

#include <cstdint>
#include <string>
#include <vector>

#include "compact/compact_solve.h"
#include "genome/genome.h"
#include "model/linear_program.h"

namespace paralog::compact {

/// The compact model of two whole genomes as --write-model writes it and as
/// a solver's solution of that file is read: the rows and columns the
/// embedded solve builds for its search of the whole genomes (numbered
/// along the heuristic matching, with --match-all's rows when asked), its
/// columns named as model_names.h spells them and numbered in the order the
/// file first names them. Owns its program; `pairs` views gene names of the
/// structures it was built from, which must outlive it.
struct WrittenModel {
  LinearProgram program;
  /// For each candidate pair, its column in `program` and the copies it matches.
  struct PairColumn {
    int32_t column = 0;
    CompactSolveResult::MatchedPair pair;
  };
  std::vector<PairColumn> pairs;
};

/// Builds the model. REQUIRES: compactModelApplies(first, second).
WrittenModel writtenModel(const Structure& first, const Structure& second, bool matchAll);

/// The pairs that `values` (one per column of `model.program`) set above 1/2.
std::vector<CompactSolveResult::MatchedPair> matchedPairsOf(const WrittenModel& model, const std::vector<double>& values);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_WRITTEN_MODEL_H
