#ifndef PARALOG_COMPACT_COMPACT_MODEL_H
#define PARALOG_COMPACT_COMPACT_MODEL_H

#include <array>
#include <cstdint>
#include <vector>

#include "compact/piece_graph.h"
#include "compact/piece_walk.h"
#include "compact/conserved_adjacencies.h"
#include "model/linear_program.h"

namespace paralog::compact {

/// What the model credits the pieces that end in free ends with.
enum class JoinCredit {
  /// The best joins among this model's own pieces: the whole program's
  /// objective.
  kOwnPieces,
  /// The most that joins with pieces outside the model could give: 1 per
  /// piece with a free end in each genome, 1/2 per piece from a telomere to
  /// a free end. Its optimum bounds what this part of a split contributes.
  kOpenBound,
};

/// The compact integer program of two genomes: one binary per candidate
/// pair, and per node and gene end a fixed number of variables and rows that
/// count what the whole program counts (cycles by labels, the kind and flip
/// parity of both ends of every path by messages passed along matched ends,
/// and the best joins by a few counters). Its minimum equals the whole
/// program's; docs/compact-model.md gives the model and the argument.
///
/// Owns its program; keeps no reference to the graph it was built from.
class CompactModel {
 public:
  /// Columns that one gene end owns; -1 where the end has none.
  struct EndColumns {
    int32_t kindTelomere = -1;  ///< the far end of the walk out by this end is a telomere
    int32_t kindFirst = -1;     ///< ... a free end of the first genome
    int32_t oddFlips = -1;      ///< ... is reached over an odd number of flips
    int32_t telomereEven = -1;  ///< free end of a telomere piece, even flips
    int32_t telomereOdd = -1;
    int32_t bothEven = -1;      ///< free end (first genome) of a piece with a free end in each
    int32_t bothOdd = -1;
    int32_t closed = -1;        ///< free end of a piece whose ends are free in one genome
    int32_t telomerePath = -1;  ///< matched telomere end of an even telomere-to-telomere piece
  };

  /// Numbers the nodes for the cycle labels along the pieces of `guide`
  /// (a good matching), so that each of its cycles has one node lower than
  /// both its neighbours, which makes the relaxation count its cycles
  /// nearly exactly; any matching gives a correct model.
  /// With `matchAll`, every gene family matches as many pairs as its
  /// smaller side has copies. REQUIRES: `guide` obeys that rule as well.
  CompactModel(const PieceGraph& graph, const CopyMatching& guide, bool matchAll = false,
               JoinCredit credit = JoinCredit::kOwnPieces);

  const LinearProgram& program() const { return program_; }
  /// The column of candidate pair `pair`.
  int32_t pairColumn(int32_t pair) const { return pairColumn_[pair]; }

  /// The columns built for each part of the graph, for naming them
  /// (model_names.h); -1 where the model has none.
  int32_t deadColumn(int32_t chromosome) const { return deadColumn_[chromosome]; }
  int32_t labelColumn(int32_t node) const { return labelColumn_[node]; }
  int32_t cycleColumn(int32_t node) const { return cycleColumn_[node]; }
  const EndColumns& endColumns(int32_t extremity) const { return ends_[extremity]; }
  /// The join counters (-1 with JoinCredit::kOpenBound): pairs of pieces
  /// with a free end in each genome, even pairs of telomere pieces per
  /// genome, and the triples by tripleParities.
  int32_t pairedCyclesColumn() const { return pairedCycles_; }
  const std::array<int32_t, 2>& evenPairsColumns() const { return evenPairs_; }
  const std::array<int32_t, 4>& tripleColumns() const { return triples_; }
  /// The flip parities (0 even, 1 odd) of triple `triple`: of its telomere
  /// piece of the first genome, of the second genome, and of its piece with
  /// a free end in each genome.
  static std::array<int, 3> tripleParities(int triple);

  /// The marker of a conserved adjacency that candidate pairs could make:
  /// at most each of its two pairs (see the row that counts cycles).
  struct ConservedMarker {
    int32_t column = -1;
    ConservedAdjacency adjacency;
  };
  const std::vector<ConservedMarker>& conservedMarkers() const { return conserved_; }

  /// The values of every column that `matching` attains: a feasible
  /// solution whose objective is minus the matching's score (or, with
  /// kOpenBound, minus scoreWithOpenJoins).
  std::vector<double> startValues(const PieceGraph& graph, const CopyMatching& matching) const;
  /// The matching that a solution of the program holds (pairs at 1).
  CopyMatching matchingOf(const PieceGraph& graph, const std::vector<double>& values) const;

 private:
  // A new column; its name is `role` and its index, for a look at the model.
  void numberNodes(const PieceGraph& graph, const CopyMatching& guide);
  int32_t column(const char* role, VariableKind kind, double upper, double objective);
  void addRow(std::vector<std::pair<int32_t, double>> terms, Relation relation, double rhs);
  // Appends coefficient times the match sum of `copy` to `terms`.
  void addMatchSum(std::vector<std::pair<int32_t, double>>& terms, int32_t copy, double coefficient) const;
  // Appends coefficient times (matched + dead) of the copy of end `e`, the
  // complement of "e is free".
  void addNotFree(std::vector<std::pair<int32_t, double>>& terms, const PieceGraph& graph, int32_t e,
                  double coefficient) const;

  void addPairs(const PieceGraph& graph);
  void addMatchAllRows(const PieceGraph& graph);
  void addDeadChromosomes(const PieceGraph& graph);
  void addLabels(const PieceGraph& graph);
  void addMessages(const PieceGraph& graph);
  void addLinkRows(const PieceGraph& graph, int32_t pair, int end);
  void addSeeThroughRows(const PieceGraph& graph);
  void addEndClasses(const PieceGraph& graph);
  void addFreeEndClasses(const PieceGraph& graph, int32_t e);
  // The classes of a free end `e` whose node has another end: a path to a
  // telomere, free ends in both genomes, a closed piece; added to `total`.
  void addTwoEndedClasses(const PieceGraph& graph, int32_t e, double telomereCredit, double bothCredit,
                          std::vector<std::pair<int32_t, double>>& total);
  // A new class column of an end, from 0 to 1, also appended to `total`.
  int32_t addClassColumn(std::vector<std::pair<int32_t, double>>& total, const char* role, double objective);
  void addMirroredPairRows(const PieceGraph& graph);
  void addLowestNodeRows(const PieceGraph& graph);
  // The node that end `e` links to through candidate pair `pair`.
  int32_t partnerNode(const PieceGraph& graph, int32_t pair, int32_t e) const;
  void addJoinCounters(const PieceGraph& graph);
  void addCycleCountRow(const PieceGraph& graph);
  void addFreeEndCountRow(const PieceGraph& graph);

  void setPieceValues(const PieceGraph& graph, const CopyMatching& matching, const Piece& piece,
                      std::vector<double>& values) const;
  // The values of the labels, kinds and cycle column of a cycle.
  void setCycleValues(const PieceGraph& graph, const Piece& cycle, std::vector<double>& values) const;

  JoinCredit credit_;
  LinearProgram program_;
  std::vector<int32_t> pairColumn_;
  std::vector<std::vector<int32_t>> pairsOfCopy_;
  std::vector<int32_t> deadColumn_;   ///< by chromosome
  std::vector<int32_t> number_;       ///< by node: the label bound of an adjacency, distinct, from 1
  std::vector<int32_t> labelColumn_;  ///< by node
  std::vector<int32_t> cycleColumn_;  ///< by node: the node is the lowest-numbered of its cycle
  std::vector<EndColumns> ends_;      ///< by extremity
  int32_t pairedCycles_ = -1;
  std::array<int32_t, 2> evenPairs_{-1, -1};
  std::array<int32_t, 4> triples_{-1, -1, -1, -1};
  std::vector<ConservedMarker> conserved_;
};

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_COMPACT_MODEL_H
