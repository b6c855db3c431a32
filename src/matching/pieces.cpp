#include "matching/pieces.h"

#include <algorithm>
#include <stdexcept>

namespace paralog {
namespace {

bool isFree(PieceSide side) { return side != PieceSide::kTelomere; }
int genomeOf(PieceSide side) { return side == PieceSide::kFreeFirst ? 0 : 1; }

/// The free end of `piece` in `genome`. REQUIRES: the piece has one.
int32_t freeEndIn(const Piece& piece, int genome) {
  return isFree(piece.sides[0]) && genomeOf(piece.sides[0]) == genome ? piece.freeEnds[0]
                                                                      : piece.freeEnds[1];
}

// Pairs the free ends of `ends` among themselves.
void joinInPairs(std::vector<int32_t>& ends, std::vector<std::pair<int32_t, int32_t>>& joins) {
  if (ends.size() % 2 != 0) throw std::logic_error("internal error: a free end without a partner");
  for (size_t i = 0; i < ends.size(); i += 2) joins.emplace_back(ends[i], ends[i + 1]);
  ends.clear();
}

}  // namespace

Leftover bestLeftover(const PieceCounts& counts) {
  Leftover best;
  for (int q = 0; q < 2; ++q) {
    if (!counts.crossingParity[q]) continue;
    for (int a = 0; a < 2; ++a) {
      if (counts.toFree[0][a] == 0) continue;
      for (int b = 0; b < 2; ++b) {
        if (counts.toFree[1][b] == 0) continue;
        std::array<int64_t, 2> first = counts.toFree[0];
        std::array<int64_t, 2> second = counts.toFree[1];
        --first[a];
        --second[b];
        // Flips plus the two joins even: an even path.
        const int64_t gain = ((a + q + b) % 2 == 0 ? 1 : 0) + pairedEvenPaths(first) +
                             pairedEvenPaths(second);
        if (gain > best.gain) best = Leftover{q, {a, b}, gain};
      }
    }
  }
  if (best.gain < 0) {
    throw std::logic_error("internal error: an odd number of crossing pieces and no chromosome end to join");
  }
  return best;
}

PieceCounts countPieces(const std::vector<Piece>& pieces) {
  PieceCounts counts;
  for (const Piece& piece : pieces) {
    const int parity = static_cast<int>(piece.flips % 2);
    const bool free0 = isFree(piece.sides[0]);
    const bool free1 = isFree(piece.sides[1]);
    if (piece.cycle) {
      if (piece.hasP) ++counts.cycles;
    } else if (free0 && free1) {
      if (piece.sides[0] == piece.sides[1]) {
        // Closed by one join; a lone adjacency without p counts nothing.
        if (piece.hasP) ++counts.cycles;
      } else {
        ++counts.crossing;
        counts.crossingParity[parity] = true;
      }
    } else if (!free0 && !free1) {
      if (parity == 0) ++counts.evenPaths;
    } else {
      ++counts.toFree[genomeOf(free0 ? piece.sides[0] : piece.sides[1])][parity];
    }
  }
  return counts;
}

int64_t bestJoinGain(const PieceCounts& counts) {
  int64_t gain = 2 * (counts.cycles + counts.crossing / 2) + counts.evenPaths;
  if (counts.crossing % 2 != 0) return gain + bestLeftover(counts).gain;
  return gain + pairedEvenPaths(counts.toFree[0]) + pairedEvenPaths(counts.toFree[1]);
}

std::vector<std::pair<int32_t, int32_t>> bestJoins(const std::vector<Piece>& pieces,
                                                    const PieceCounts& counts) {
  std::vector<std::pair<int32_t, int32_t>> joins;
  std::array<std::vector<const Piece*>, 2> crossing;  // by parity
  std::array<std::array<std::vector<int32_t>, 2>, 2> toFree;  // free ends by genome, parity
  for (const Piece& piece : pieces) {
    if (piece.cycle) continue;
    const bool free0 = isFree(piece.sides[0]);
    const bool free1 = isFree(piece.sides[1]);
    const size_t parity = piece.flips % 2;
    if (free0 && free1 && piece.sides[0] == piece.sides[1]) {
      joins.emplace_back(piece.freeEnds[0], piece.freeEnds[1]);
    } else if (free0 && free1) {
      crossing[parity].push_back(&piece);
    } else if (free0 || free1) {
      const int side = free0 ? 0 : 1;
      toFree[genomeOf(piece.sides[side])][parity].push_back(piece.freeEnds[side]);
    }
  }
  if (counts.crossing % 2 != 0) {
    const Leftover leftover = bestLeftover(counts);
    const Piece* piece = crossing[leftover.crossing].back();
    crossing[leftover.crossing].pop_back();
    for (int genome = 0; genome < 2; ++genome) {
      std::vector<int32_t>& ends = toFree[genome][leftover.toFree[genome]];
      joins.emplace_back(freeEndIn(*piece, genome), ends.back());
      ends.pop_back();
    }
  }
  // Two crossing pieces close one cycle.
  std::vector<const Piece*> rest = crossing[0];
  rest.insert(rest.end(), crossing[1].begin(), crossing[1].end());
  if (rest.size() % 2 != 0) throw std::logic_error("internal error: a crossing piece without a partner");
  for (size_t i = 0; i < rest.size(); i += 2) {
    for (int genome = 0; genome < 2; ++genome) {
      joins.emplace_back(freeEndIn(*rest[i], genome), freeEndIn(*rest[i + 1], genome));
    }
  }
  // Chromosome-end pieces of one genome: an even one with an odd one makes an even path.
  for (auto& [even, odd] : toFree) {
    while (!even.empty() && !odd.empty()) {
      joins.emplace_back(even.back(), odd.back());
      even.pop_back();
      odd.pop_back();
    }
    joinInPairs(even, joins);
    joinInPairs(odd, joins);
  }
  return joins;
}

}  // namespace paralog
