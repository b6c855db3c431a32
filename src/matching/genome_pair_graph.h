#ifndef PARALOG_MATCHING_GENOME_PAIR_GRAPH_H
#define PARALOG_MATCHING_GENOME_PAIR_GRAPH_H

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "genome/genome.h"

namespace paralog {

/// A pair of copies of one gene, one in each genome, given by their
/// positions in GenomePairGraph::copies(0) and copies(1).
struct CopyPair {
  uint32_t first = 0;
  uint32_t second = 0;
};

/// One gene copy of one of the two genomes.
struct GraphCopy {
  uint32_t gene = 0;        ///< position in GenomePairGraph::geneNames()
  int32_t index = 0;        ///< copy index as in the input
  uint32_t chromosome = 0;  ///< position in GenomePairGraph::chromosomes()
};

/// One chromosome of one of the two genomes.
struct GraphChromosome {
  uint8_t genome = 0;      ///< 0 for the first genome, 1 for the second
  uint32_t position = 0;   ///< position among its genome's chromosomes, as in o names
  bool circular = false;
  uint32_t geneCount = 0;
};

/// One adjacency (two touching gene ends) of one of the two genomes, with
/// the number its label rows are written with.
struct GraphAdjacency {
  uint8_t genome = 0;
  int32_t ends[2] = {0, 0};  ///< end ids, the smaller key first (as in u and p names)
  /// The label bound of the rows: the running number, or for a first
  /// genome's adjacency that the second genome has too, the highest number.
  int32_t number = 0;
  bool hasP = true;  ///< false for the first genome's copy of a shared adjacency
};

/// The part of the graph of a matching that does not depend on the
/// matching: every gene copy and gene end of the two genomes, which end
/// touches which on its chromosome, the adjacencies with their numbers and
/// the chromosomes. Built once per genome pair and then read by any number
/// of MatchingEvaluator objects (also from several threads).
///
/// Gene ends have ids: copy c of genome g (position in copies(g)) has the
/// tail 2 * (c + copyBase(g)) and the head one more. The object owns
/// copies of everything it needs; the structures it was built from need
/// not outlive it.
class GenomePairGraph {
 public:
  /// REQUIRES: the two structures differ in id (as for building the
  /// program); a gene of one only gives copies without partner. Throws std::runtime_error when a
  /// genome holds a copy twice, which the graph cannot represent.
  GenomePairGraph(const Structure& first, const Structure& second);

  const std::vector<std::string>& geneNames() const { return geneNames_; }
  const std::vector<GraphCopy>& copies(int genome) const { return copies_[genome]; }
  const std::vector<GraphChromosome>& chromosomes() const { return chromosomes_; }
  const std::vector<GraphAdjacency>& adjacencies() const { return adjacencies_; }
  /// The ids of the two structures, as in variable names.
  int32_t id(int genome) const { return ids_[genome]; }

  /// Number of gene ends of both genomes.
  size_t endCount() const { return endMate_.size(); }
  /// The id of the first end of genome `genome`'s copy `copy`.
  int32_t endOf(int genome, uint32_t copy, int head) const {
    return static_cast<int32_t>(2 * (copy + copyBase_[genome]) + head);
  }
  int genomeOfEnd(int32_t end) const { return end < static_cast<int32_t>(2 * copyBase_[1]) ? 0 : 1; }
  uint32_t copyOfEnd(int32_t end) const { return static_cast<uint32_t>(end / 2) - copyBase_[genomeOfEnd(end)]; }
  /// The end touching `end` on its chromosome, or -1 for the end of a
  /// linear chromosome.
  int32_t endMate(int32_t end) const { return endMate_[end]; }
  /// The adjacency holding `end`, or -1 for the end of a linear chromosome.
  int32_t adjacencyOfEnd(int32_t end) const { return adjacencyOfEnd_[end]; }
  uint32_t chromosomeOfEnd(int32_t end) const {
    return copies_[genomeOfEnd(end)][copyOfEnd(end)].chromosome;
  }
  /// The key of an end as variable names spell it ("g.2h").
  const std::string& endKey(int32_t end) const { return endKeys_[end]; }

  /// The position of copy `index` of gene `name` in copies(genome), if the genome has it.
  std::optional<uint32_t> findCopy(int genome, std::string_view name, int32_t index) const;
  /// The positions in copies(genome) of every copy of gene `gene`.
  const std::vector<uint32_t>& copiesOfGene(int genome, uint32_t gene) const {
    return copiesOfGene_[genome][gene];
  }

 private:
  void addGenome(int genome, const Structure& structure);
  void addAdjacencies(const Structure& first, const Structure& second);

  std::vector<std::string> geneNames_;
  std::map<std::string, uint32_t, std::less<>> geneByName_;
  std::vector<GraphCopy> copies_[2];
  std::vector<std::vector<uint32_t>> copiesOfGene_[2];
  std::map<std::pair<uint32_t, int32_t>, uint32_t> copyByKey_[2];  ///< (gene, index) -> copy
  uint32_t copyBase_[2] = {0, 0};
  int32_t ids_[2] = {0, 0};
  std::vector<GraphChromosome> chromosomes_;
  std::vector<GraphAdjacency> adjacencies_;
  std::vector<int32_t> endMate_;
  std::vector<int32_t> adjacencyOfEnd_;
  std::vector<std::string> endKeys_;
};

}  // namespace paralog

#endif  // PARALOG_MATCHING_GENOME_PAIR_GRAPH_H
