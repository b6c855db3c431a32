#ifndef PARALOG_COMPACT_PIECE_WALK_H
#define PARALOG_COMPACT_PIECE_WALK_H

#include <array>
#include <cstdint>
#include <vector>

#include "compact/piece_graph.h"

namespace paralog::compact {

/// A matching over a PieceGraph: for every copy the candidate pair that
/// matches it, or -1.
struct CopyMatching {
  std::vector<int32_t> pairOfCopy;

  /// The matching of the given candidate pairs. REQUIRES: no copy in two of
  /// them.
  static CopyMatching of(const PieceGraph& graph, const std::vector<int32_t>& pairs);
  /// The matched candidate pairs in increasing order.
  std::vector<int32_t> pairs(const PieceGraph& graph) const;
};

/// What a path piece ends in: a telomere, or a free end of either genome.
enum class PieceEnd { kTelomere = 0, kFreeFirst = 1, kFreeSecond = 2 };

/// One connected part of the graph of a matching, walked from one end to
/// the other (a cycle from any of its nodes).
struct Piece {
  /// One node of the piece with the extremity the walk came in by and the
  /// one it left by; -1 stands for the telomere end of a telomere node.
  struct Step {
    int32_t node;
    int32_t in;
    int32_t out;
  };
  bool cycle = false;
  PieceEnd start = PieceEnd::kTelomere;  ///< meaningless for a cycle
  PieceEnd finish = PieceEnd::kTelomere;
  int32_t flips = 0;  ///< adjacency nodes passed
  std::vector<Step> steps;
};

/// How many pieces of each kind a matching makes, and what the pieces and
/// the matching earn before the free ends are joined.
struct PieceCounts {
  int64_t matchedPairs = 0;
  int64_t deadReward = 0;       ///< n - 1 for each unmatched circular chromosome of n >= 2 genes
  int64_t cycles = 0;
  int64_t closedByOneJoin = 0;  ///< both free ends in one genome (cycles once joined)
  int64_t evenTelomerePaths = 0;
  /// telomereFree[k][parity]: pieces from a telomere to a free end of
  /// genome k with an even (0) or odd (1) number of flips.
  std::array<std::array<int64_t, 2>, 2> telomereFree{};
  /// freeBoth[parity]: pieces with one free end in each genome.
  std::array<int64_t, 2> freeBoth{};
};

/// The walk of every piece of a matching: what the score and the compact
/// model's start values are read from. Holds no reference to its inputs.
struct PieceWalk {
  std::vector<char> deadChromosome;  ///< by chromosome: circular and nothing on it matched
  std::vector<Piece> pieces;
};

/// Walks every piece of `matching`. Nodes of unmatched circular chromosomes
/// belong to no piece. Time linear in the size of the graph.
PieceWalk walkPieces(const PieceGraph& graph, const CopyMatching& matching);

/// Sorts the pieces of `walk` into counts (the node alone of a shared
/// adjacency of the first genome, both ends free, earns nothing).
PieceCounts countPieces(const PieceGraph& graph, const CopyMatching& matching,
                        const PieceWalk& walk);

/// The best use of the joins between the pieces that end in free ends (the
/// evaluator's rule, matching/pieces.h, spelled out for the compact model's
/// join counters): how many cycles the pairs of pieces with a free end in
/// each genome make, how many even paths the telomere-to-free pieces of
/// each genome make, and the one path that joins the odd piece out to a
/// telomere piece of each genome.
struct JoinPlan {
  int64_t pairedCycles = 0;           ///< cycles from pairs of free-both pieces
  std::array<int64_t, 2> evenPairs{};  ///< even paths from telomere-free pairs, per genome
  /// The odd piece out and its two partners, when there is one and their
  /// path is even: parity of the first genome's partner, the second's, and
  /// of the free-both piece.
  bool evenTriple = false;
  std::array<int, 3> tripleParities{};
};
JoinPlan bestJoins(const PieceCounts& counts);

/// The score of a matching: the whole program's optimum with its z
/// variables fixed to the matching is minus this number.
int64_t matchingScore(const PieceCounts& counts);

/// What the pieces earn when their free ends may also be joined to pieces
/// outside this graph, at most: matchingScore with 1 for every piece with a
/// free end in each genome and 1/2 for every piece from a telomere to a free
/// end in place of the best joins among them. Never below matchingScore, and
/// the score of genomes made of several graphs is at most the sum of theirs.
double scoreWithOpenJoins(const PieceCounts& counts);

/// matchingScore of `matching`, walked and counted.
int64_t scoreMatching(const PieceGraph& graph, const CopyMatching& matching);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_PIECE_WALK_H
