#ifndef PARALOG_COMPACT_PIECE_GRAPH_H
#define PARALOG_COMPACT_PIECE_GRAPH_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "genome/genome.h"

namespace paralog::compact {

/// The two compared genomes as the compact solve sees them: gene copies,
/// their ends, the nodes the ends sit in (adjacencies and telomeres), the
/// chromosomes and every candidate copy pair. A matching turns it into the
/// graph of the matching: each matched pair links the nodes of its two tails
/// and the nodes of its two heads.
///
/// Everything is numbered densely from 0. The graph keeps views of gene
/// names into the two structures it was built from, which must outlive it.
class PieceGraph {
 public:
  /// One gene copy of either genome.
  struct Copy {
    int genome = 0;          ///< 0 for the first genome, 1 for the second
    int32_t chromosome = 0;  ///< index into chromosomes()
    std::string_view name;   ///< gene name, a view into the structure
    int32_t index = 0;       ///< copy index as the input wrote it
  };
  /// An adjacency (two ends) or a telomere (one end) of one genome.
  struct Node {
    int genome = 0;
    int32_t chromosome = 0;
    int32_t ends[2] = {-1, -1};  ///< extremity ids; ends[1] is -1 for a telomere
    bool telomere() const { return ends[1] < 0; }
  };
  /// A chromosome of either genome with the copies on it.
  struct ChromosomeInfo {
    int genome = 0;
    bool circular = false;
    std::vector<int32_t> copies;
  };
  /// A candidate pair: a copy of the first genome and a copy of the same
  /// gene in the second.
  struct Pair {
    int32_t first = 0;   ///< copy id in the first genome
    int32_t second = 0;  ///< copy id in the second genome
  };

  /// REQUIRES: no copy is listed twice (see compactModelApplies). A gene
  /// of one structure only gives copies without a candidate pair.
  PieceGraph(const Structure& first, const Structure& second);

  const std::vector<Copy>& copies() const { return copies_; }
  const std::vector<Node>& nodes() const { return nodes_; }
  const std::vector<ChromosomeInfo>& chromosomes() const { return chromosomes_; }
  /// Candidate pairs, by gene name in byte order, then by the first copy's
  /// and the second copy's position in their genome's copy lists.
  const std::vector<Pair>& pairs() const { return pairs_; }
  /// The candidate pairs that contain copy `copy`.
  const std::vector<int32_t>& pairsOf(int32_t copy) const { return pairsOfCopy_[copy]; }

  /// Extremity ids: copy * 2 for the tail, copy * 2 + 1 for the head.
  static int32_t extremity(int32_t copy, int end) { return copy * 2 + end; }
  static int32_t copyOf(int32_t extremity) { return extremity / 2; }
  int32_t extremityCount() const { return static_cast<int32_t>(copies_.size() * 2); }
  /// The node holding extremity `e`.
  int32_t nodeOf(int32_t e) const { return nodeOfExtremity_[e]; }
  /// The other extremity of `e`'s node, or -1 when the node is a telomere.
  int32_t otherEnd(int32_t e) const {
    const Node& node = nodes_[nodeOfExtremity_[e]];
    if (node.telomere()) return -1;
    return node.ends[0] == e ? node.ends[1] : node.ends[0];
  }
  /// True for an adjacency node of the first genome whose two ends (gene,
  /// copy and end) form an adjacency of the second genome too. Such a node
  /// alone, closed by one join, counts no cycle in the whole program.
  bool sharedFirstNode(int32_t node) const { return twinOfShared_[node] >= 0; }
  /// For a shared first-genome node, the second genome's node of the same
  /// two ends; -1 for every other node.
  int32_t twinOfShared(int32_t node) const { return twinOfShared_[node]; }

 private:
  void addGenome(const Structure& structure, int genome);
  void addChromosomeNodes(const Chromosome& chromosome, int genome, int32_t chromosomeIndex,
                          const std::vector<int32_t>& copyIds);
  void addPairs(const Structure& first, const Structure& second);
  void markShared();

  std::vector<Copy> copies_;
  std::vector<Node> nodes_;
  std::vector<ChromosomeInfo> chromosomes_;
  std::vector<Pair> pairs_;
  std::vector<std::vector<int32_t>> pairsOfCopy_;
  std::vector<int32_t> nodeOfExtremity_;
  std::vector<int32_t> twinOfShared_;
};

/// True when the compact model states the whole program's optimum for these
/// genomes: the two genomes have different ids (equal ids make the two
/// genomes share variables) and no copy is written twice in a genome.
bool compactModelApplies(const Structure& first, const Structure& second);

}  // namespace paralog::compact

#endif  // PARALOG_COMPACT_PIECE_GRAPH_H
