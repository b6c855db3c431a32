#ifndef PARALOG_MATCHING_PIECES_H
#define PARALOG_MATCHING_PIECES_H

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace paralog {

/// Where one side of a path piece ends: at the end of a linear chromosome,
/// or at a free end (an end of an unmatched copy on a chromosome still in
/// play) of the first or of the second genome.
enum class PieceSide : uint8_t { kTelomere, kFreeFirst, kFreeSecond };

/// One connected part of the graph of adjacencies, chromosome ends and
/// z-edges: a cycle, or a path with two sides.
struct Piece {
  bool cycle = false;
  bool hasP = false;   ///< passes through an adjacency that has a p variable
  uint32_t flips = 0;  ///< adjacencies passed through
  std::array<PieceSide, 2> sides{};
  std::array<int32_t, 2> freeEnds{-1, -1};  ///< the end id at each free side
};

/// The pieces of a matching, counted as far as the best joins of free ends
/// depend on them.
struct PieceCounts {
  int64_t cycles = 0;    ///< pieces that are, or that one join makes, a counted cycle
  int64_t crossing = 0;  ///< pieces with a free end in each genome
  std::array<bool, 2> crossingParity{false, false};  ///< some crossing piece has even / odd flips
  int64_t evenPaths = 0;  ///< pieces between two chromosome ends with even flips
  /// Pieces from a chromosome end to a free end of genome k, by the parity of their flips.
  std::array<std::array<int64_t, 2>, 2> toFree{};
};

PieceCounts countPieces(const std::vector<Piece>& pieces);

/// For an odd number of crossing pieces, one of them is left over once the
/// others are closed in pairs; it joins a chromosome-end piece of each
/// genome into one path. The parities (0 even, 1 odd) of the three pieces
/// it takes, and what all chromosome-end pieces then gain.
struct Leftover {
  int crossing = 0;
  std::array<int, 2> toFree{0, 0};
  int64_t gain = -1;
};
/// The best leftover join. REQUIRES: counts.crossing is odd.
Leftover bestLeftover(const PieceCounts& counts);

/// Pairs of pieces from a chromosome end to a free end of one genome that
/// make an even path: one of each parity.
inline int64_t pairedEvenPaths(const std::array<int64_t, 2>& byParity) {
  return byParity[0] < byParity[1] ? byParity[0] : byParity[1];
}

/// How much the best joins of free ends gain, in units of the objective:
/// 2 per cycle closed, 1 per path between chromosome ends with an even
/// number of adjacencies and joins.
int64_t bestJoinGain(const PieceCounts& counts);

/// The joins (pairs of free end ids, each free end once) that gain
/// bestJoinGain(counts). REQUIRES: counts == countPieces(pieces).
std::vector<std::pair<int32_t, int32_t>> bestJoins(const std::vector<Piece>& pieces,
                                                    const PieceCounts& counts);

}  // namespace paralog

#endif  // PARALOG_MATCHING_PIECES_H
