#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "common/decimal.h"
#include "ilp/adjacency.h"
#include "ilp/gene_match_sum.h"
#include "ilp/generators.h"
#include "ilp/t_names.h"
#include "ilp/u_adjacency_table.h"

namespace paralog {
namespace {

constexpr std::string_view kSubjectTo = "Subject To";
constexpr std::string_view kBounds = "Bounds";

/// One pass of a step: the structure whose adjacencies are labelled, its
/// table, and the other structure.
struct Side {
  const Structure& own;
  const UAdjacencyTable& table;
  const Structure& other;
  bool ownIsFirst;
};

/// The end extremities of a linear chromosome with their keys, left end first.
struct ChromosomeEnds {
  std::array<Extremity, 2> ends;
  std::array<std::string, 2> keys;
};

/// The two ends of a linear chromosome; none for one without genes, which
/// therefore takes part in no end constraint.
std::optional<ChromosomeEnds> linearEnds(const Chromosome& chromosome) {
  if (chromosome.genes.empty()) return std::nullopt;
  ChromosomeEnds result{{leftExtremity(chromosome.genes.front()),
                         rightExtremity(chromosome.genes.back())},
                        {}};
  result.keys[0] = extremityKey(result.ends[0]);
  result.keys[1] = extremityKey(result.ends[1]);
  return result;
}

/// Ends of the same gene name and end label fit; copy indices do not matter.
bool fits(const Extremity& e, const Extremity& f) { return e.end == f.end && e.name == f.name; }

/// Step 1: every numbered adjacency's label lies between 0 and its number,
/// named with the id of the structure that numbered it last.
void addBounds(IlpTask& task, const AdjacencyNumbering& numbering, VariablesStorage& storage,
               std::string& line) {
  for (const auto& [keys, entry] : numbering.entries()) {
    const std::string_view u = storage.uVariable(entry.value.id, keys.first, keys.second);
    line.assign(u).append(" >= 0");
    task.addConstraint(kBounds, line);
    line.assign(u).append(" <= ");
    appendDecimal(line, entry.value.number);
    task.addConstraint(kBounds, line);
  }
}

/// Step 2: an adjacency of a circular chromosome has label 0 unless some copy
/// of that chromosome is matched.
void addCircularLabels(IlpTask& task, const Side& side, GeneMatchSumBuilder builder,
                       VariablesStorage& storage, std::string& line) {
  const std::vector<Chromosome>& chromosomes = side.own.chromosomes;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (!chromosomes[c].circular) continue;
    for (size_t r = side.table.chromosomeStart[c]; r < side.table.chromosomeStart[c + 1]; ++r) {
      const UAdjacencyRow& row = side.table.rows[r];
      line.clear();
      for (const Gene& gene : chromosomes[c].genes) {
        line.append(" + ");
        builder(gene.name, gene.index, side.other, storage, true, row.number, line);
      }
      line.append(" - ").append(row.uName).append(" >= 0");
      task.addConstraint(kSubjectTo, line);
    }
  }
}

/// Step 3: an adjacency end matched to an end of a linear chromosome of the
/// other structure has label 0.
void addEndMatching(IlpTask& task, const Side& side, VariablesStorage& storage,
                    std::string& line) {
  for (const Chromosome& chromosome : side.other.chromosomes) {
    if (chromosome.circular) continue;
    const std::optional<ChromosomeEnds> ends = linearEnds(chromosome);
    if (!ends) continue;
    for (const Extremity& e : ends->ends) {
      for (const UAdjacencyRow& row : side.table.rows) {
        for (size_t o = 0; o < 2; ++o) {
          const Extremity& end = row.firstEnd(o);
          if (!fits(end, e)) continue;
          const std::string_view z = side.ownIsFirst ? storage.zVariable(e.name, end.index, e.index)
                                                     : storage.zVariable(e.name, e.index, end.index);
          line.assign(row.number).append(" ").append(z).append(" + ").append(row.uName);
          line.append(" <= ").append(row.number);
          task.addConstraint(kSubjectTo, line);
        }
      }
    }
  }
}

/// Positions of each row's two ends (orientation 0, then 1) among the
/// structure's ends, for looking t names up without hashing them.
std::vector<std::array<size_t, 2>> rowEndPositions(const UAdjacencyTable& table,
                                                   const TNames& tNames) {
  std::vector<std::array<size_t, 2>> ends(table.rows.size());
  for (size_t r = 0; r < ends.size(); ++r) {
    for (size_t o = 0; o < 2; ++o) ends[r][o] = tNames.position(table.rows[r].firstKey(o));
  }
  return ends;
}

/// The two lines of steps 5 and 6: with `tie` 1, the labels of a and b are
/// equal (a <= b and b <= a); with `tie` 0 each is at most its own number.
void addEqualLabels(IlpTask& task, const UAdjacencyRow& a, const UAdjacencyRow& b,
                    std::string_view tie, std::string& line) {
  line.assign(a.uName).append(" + ").append(a.number).append(" ").append(tie);
  line.append(" - ").append(b.uName).append(" <= ").append(a.number);
  task.addConstraint(kSubjectTo, line);
  line.assign(b.uName).append(" + ").append(b.number).append(" ").append(tie);
  line.append(" - ").append(a.uName).append(" <= ").append(b.number);
  task.addConstraint(kSubjectTo, line);
}

/// Step 4: an adjacency end joined to an end of one of its own structure's
/// linear chromosomes has label 0.
void addEndConnections(IlpTask& task, const Side& side, VariablesStorage& storage,
                       std::string& line) {
  const TNames tNames(side.own, side.other.id, storage);
  const std::vector<std::array<size_t, 2>> rowEnds = rowEndPositions(side.table, tNames);
  for (const Chromosome& chromosome : side.own.chromosomes) {
    if (chromosome.circular) continue;
    const std::optional<ChromosomeEnds> ends = linearEnds(chromosome);
    if (!ends) continue;
    for (const std::string& endKey : ends->keys) {
      const size_t end = tNames.position(endKey);
      for (size_t r = 0; r < side.table.rows.size(); ++r) {
        const UAdjacencyRow& row = side.table.rows[r];
        for (size_t o = 0; o < 2; ++o) {
          const std::string_view t = tNames.name(end, rowEnds[r][o]);
          line.assign(row.uName).append(" + ").append(row.number).append(" ").append(t);
          line.append(" <= ").append(row.number);
          task.addConstraint(kSubjectTo, line);
        }
      }
    }
  }
}

/// Step 5: adjacencies of the two structures whose ends are matched carry
/// equal labels.
void addCrossMatching(IlpTask& task, const UAdjacencyTable& first, const UAdjacencyTable& second,
                      VariablesStorage& storage, std::string& line) {
  for (const UAdjacencyRow& a : first.rows) {
    for (const UAdjacencyRow& b : second.rows) {
      // Orientations (a, b), (a, reversed b), (reversed a, b), (reversed a, reversed b).
      for (size_t oa = 0; oa < 2; ++oa) {
        for (size_t ob = 0; ob < 2; ++ob) {
          const Extremity& x = a.firstEnd(oa);
          const Extremity& y = b.firstEnd(ob);
          if (!fits(x, y)) continue;
          addEqualLabels(task, a, b, storage.zVariable(x.name, x.index, y.index), line);
        }
      }
    }
  }
}

/// Step 6: adjacencies of one structure whose ends are joined by a t pair
/// carry equal labels. Every ordered pair of adjacencies in every
/// orientation, skipping only an oriented adjacency paired with itself.
void addInnerConnections(IlpTask& task, const Side& side, VariablesStorage& storage,
                         std::string& line) {
  const std::vector<UAdjacencyRow>& rows = side.table.rows;
  const TNames tNames(side.own, side.other.id, storage);
  const std::vector<std::array<size_t, 2>> ends = rowEndPositions(side.table, tNames);
  for (size_t pi = 0; pi < rows.size(); ++pi) {
    const UAdjacencyRow& p = rows[pi];
    for (size_t qi = 0; qi < rows.size(); ++qi) {
      const UAdjacencyRow& q = rows[qi];
      for (size_t ox = 0; ox < 2; ++ox) {
        const Extremity& xFirst = p.firstEnd(ox);
        const Extremity& xSecond = p.firstEnd(1 - ox);
        for (size_t oy = 0; oy < 2; ++oy) {
          if (xFirst == q.firstEnd(oy) && xSecond == q.firstEnd(1 - oy)) continue;
          addEqualLabels(task, p, q, tNames.name(ends[pi][ox], ends[qi][oy]), line);
        }
      }
    }
  }
}

}  // namespace

void generateUVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  std::cout << "Calculating U variables\n";
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  const UAdjacencyTable firstTable = buildUAdjacencyTable(first, numbering, storage);
  const UAdjacencyTable secondTable = buildUAdjacencyTable(second, numbering, storage);
  const Side firstSide{first, firstTable, second, true};
  const Side secondSide{second, secondTable, first, false};
  std::string line;

  addBounds(task, numbering, storage, line);
  addCircularLabels(task, firstSide, firstGeneMatchSum, storage, line);
  addCircularLabels(task, secondSide, secondGeneMatchSum, storage, line);
  addEndMatching(task, firstSide, storage, line);
  addEndMatching(task, secondSide, storage, line);
  addEndConnections(task, firstSide, storage, line);
  addEndConnections(task, secondSide, storage, line);
  addCrossMatching(task, firstTable, secondTable, storage, line);
  addInnerConnections(task, firstSide, storage, line);
  addInnerConnections(task, secondSide, storage, line);
}

}  // namespace paralog
