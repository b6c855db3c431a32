#ifndef PARALOG_ILP_ADJACENCY_H
#define PARALOG_ILP_ADJACENCY_H

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "genome/genome.h"
#include "genome/extremity.h"

namespace paralog {

/// Two gene ends that touch on a chromosome, or an oriented view of them.
struct Adjacency {
  Extremity firstEnd;
  Extremity secondEnd;

  bool operator==(const Adjacency& other) const {
    return firstEnd == other.firstEnd && secondEnd == other.secondEnd;
  }
  bool operator!=(const Adjacency& other) const { return !(*this == other); }
};

/// The end of a copy that faces the start of its chromosome: 'h' for a
/// reversed copy (sign -1), else 't'.
Extremity leftExtremity(const Gene& gene);
/// The end that faces the end of its chromosome: 't' for sign -1, else 'h'.
Extremity rightExtremity(const Gene& gene);

/// The adjacencies of a chromosome in order, each normalised (key of
/// firstEnd not above key of secondEnd): n - 1 for a linear chromosome of
/// n genes, n for a circular one (the last joins the last gene's right end
/// to the first gene's left end). Chromosomes without genes give none.
std::vector<Adjacency> chromosomeAdjacencies(const Chromosome& chromosome);
/// The adjacencies of every chromosome, chromosome by chromosome.
std::vector<Adjacency> structureAdjacencies(const Structure& structure);

/// {secondEnd, firstEnd}.
Adjacency reversed(const Adjacency& adjacency);
/// (x, y), (x, reversed y), (reversed x, y), (reversed x, reversed y).
std::array<std::pair<Adjacency, Adjacency>, 4> orientationPairs(const Adjacency& x,
                                                                const Adjacency& y);

/// Running number of an adjacency and the id of the structure that set it.
struct AdjacencyNumber {
  int32_t number = 0;
  int32_t id = 0;
};

/// The numbering of all adjacencies of two structures, keyed by the two
/// extremity keys of the normalised adjacency and iterated in key order.
class AdjacencyNumbering {
 public:
  struct Entry {
    Adjacency adjacency;  ///< normalised
    AdjacencyNumber value;
  };
  using Map = std::map<std::pair<std::string, std::string>, Entry>;

  /// Creates or replaces the entry of `adjacency` (in either orientation).
  void set(const Adjacency& adjacency, AdjacencyNumber value);
  /// The entry of `adjacency` in either orientation, or nullptr.
  const AdjacencyNumber* find(const Adjacency& adjacency) const;
  const Map& entries() const { return entries_; }

  /// Records that numbers 1 to `lastOfFirst` went to the first structure's
  /// adjacencies and `highest` is the last number given.
  void setRanges(int32_t lastOfFirst, int32_t highest) {
    lastOfFirst_ = lastOfFirst;
    highest_ = highest;
  }
  /// The last number given (0 when there is no adjacency).
  int32_t highest() const { return highest_; }
  /// True when `number`, the number of an adjacency of the first
  /// structure, is one of the second's: both structures have it.
  bool numberedBySecond(int32_t number) const { return number > lastOfFirst_; }

 private:
  Map entries_;
  int32_t lastOfFirst_ = 0;
  int32_t highest_ = 0;
};

/// Numbers the adjacencies of `first`, then of `second`, from 1 on, one
/// number per adjacency visited; an adjacency met again keeps the later
/// number and id. Records the ranges (see setRanges).
AdjacencyNumbering numberAdjacencies(const Structure& first, const Structure& second);

/// The number of `adjacency` (either orientation). Throws std::logic_error
/// naming the adjacency if the numbering lacks it.
int32_t adjacencyNumber(const AdjacencyNumbering& numbering, const Adjacency& adjacency);

}  // namespace paralog

#endif  // PARALOG_ILP_ADJACENCY_H
