#ifndef PARALOG_MATCHING_MATCHING_EVALUATOR_H
#define PARALOG_MATCHING_MATCHING_EVALUATOR_H

#include <cstdint>
#include <utility>
#include <vector>

#include "matching/genome_pair_graph.h"
#include "matching/pieces.h"

namespace paralog {

/// A value for every variable of the program of a genome pair, with its z
/// variables set to one matching, as typed data over a GenomePairGraph.
/// Every variable not named here is 0.
struct MatchingAssignment {
  int64_t objective = 0;                  ///< the program's objective at these values
  std::vector<CopyPair> matched;          ///< z at 1
  std::vector<std::pair<int32_t, int32_t>> joins;  ///< t at 1: two end ids of one genome
  /// r of every end, by end id (-1, 0 or 1); l of a matched end of the
  /// first genome equals its r, every other l is 0.
  std::vector<int8_t> endValues;
  std::vector<int32_t> labels;            ///< u of every adjacency, by its position
  std::vector<uint32_t> pAtOne;           ///< adjacencies whose p is 1
  std::vector<uint32_t> oAtOne;           ///< circular chromosomes of 2 or more genes, none matched
  std::vector<uint8_t> endMatched;        ///< by end id: 1 when the end's copy is matched
};

/// The optimum of a genome pair's program once its z variables are fixed
/// to a matching, and an assignment of all the other variables attaining
/// it, in time linear in the genomes.
///
/// The matching's z-edges join the nodes of the two genomes (adjacencies
/// and chromosome ends) into pieces; the value counts 2 per matched pair, 2
/// per cycle that the best joins of free ends can close, 1 per path of even
/// length between two chromosome ends, and n - 1 per circular chromosome of
/// n genes left wholly unmatched, all negated (the program is minimised).
///
/// The evaluator keeps work space between calls so that a search can score
/// many matchings without allocating: one object per thread. It does not
/// own `graph`, which must outlive it.
class MatchingEvaluator {
 public:
  explicit MatchingEvaluator(const GenomePairGraph& graph);

  /// The program's optimum with z fixed to `matching`.
  /// REQUIRES: validMatching(graph, matching) (unchecked here).
  int64_t value(const std::vector<CopyPair>& matching);
  /// The values of every variable at that optimum; its objective equals
  /// value(matching). REQUIRES: as for value.
  MatchingAssignment assignment(const std::vector<CopyPair>& matching);

 private:
  void fixMatching(const std::vector<CopyPair>& matching);
  bool alive(int32_t end) const;
  Piece walkPiece(int32_t start, bool crossNodeFirst);
  void collectPieces();
  int64_t fixedPart(const std::vector<CopyPair>& matching) const;
  void assignPath(int32_t telomere, MatchingAssignment& result);
  void assignCycle(int32_t start, MatchingAssignment& result);

  const GenomePairGraph& graph_;
  std::vector<int32_t> zMate_;  ///< by end: the matched end of the other genome, or -1
  std::vector<int32_t> tMate_;  ///< by end: the joined end, or -1
  std::vector<uint32_t> matchedOnChromosome_;
  std::vector<uint8_t> visited_;
  std::vector<Piece> pieces_;
  std::vector<uint32_t> cycleAdjacencies_;
};

/// The objective of the program at `assignment`: -2 per z and p at 1, -1
/// per r of an end other than a matched end of the first genome (whose l
/// cancels it), 1 - n per o at 1.
int64_t objectiveAt(const GenomePairGraph& graph, const MatchingAssignment& assignment);

/// True when every pair of `matching` names copies that exist, of one gene,
/// and no copy is in two pairs.
bool validMatching(const GenomePairGraph& graph, const std::vector<CopyPair>& matching);

}  // namespace paralog

#endif  // PARALOG_MATCHING_MATCHING_EVALUATOR_H
