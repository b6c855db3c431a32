#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ilp/adjacency.h"
#include "ilp/gene_match_sum.h"
#include "ilp/generators.h"
#include "ilp/t_names.h"
#include "ilp/u_adjacency_table.h"

namespace paralog {
namespace {

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

/// number * multiplicity, refused like a sum beyond 32 bits.
int32_t checkedProduct(int32_t number, int32_t multiplicity) {
  const int64_t product = int64_t{number} * multiplicity;
  if (product > INT32_MAX || product < INT32_MIN) {
    throw std::runtime_error("Provided expression is invalid inequality");
  }
  return static_cast<int32_t>(product);
}

/// Ends of the same gene name and end label fit; copy indices do not matter.
bool fits(const Extremity& e, const Extremity& f) { return e.end == f.end && e.name == f.name; }

/// Every numbered adjacency's label lies between 0 and its number, named
/// with the id of the structure that numbered it last.
void addBounds(RowSink& rows, const AdjacencyNumbering& numbering, VariablesStorage& storage,
               TermList& row) {
  for (const auto& [keys, entry] : numbering.entries()) {
    row.clear();
    row.emplace_back(storage.uVariable(entry.value.id, keys.first, keys.second), 1);
    rows.add(Section::kBounds, row, Relation::kGreaterEqual, 0);
    rows.add(Section::kBounds, row, Relation::kLessEqual, entry.value.number);
  }
}

/// An adjacency of a circular chromosome has label 0 unless some copy of
/// that chromosome is matched: number times the chromosome's match sums,
/// less the label, is at least 0. The sums are put in canonical order once
/// per chromosome; the u name sorts before every z name, so each row is
/// canonical as built.
void addCircularLabels(RowSink& rows, const Side& side, GeneMatchSumBuilder builder,
                       VariablesStorage& storage, TermList& row) {
  const std::vector<Chromosome>& chromosomes = side.own.chromosomes;
  TermList sums;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (!chromosomes[c].circular) continue;
    sums.clear();
    for (const Gene& gene : chromosomes[c].genes) {
      builder(gene.name, gene.index, side.other, storage, 1, sums);
    }
    makeCanonical(sums);
    for (size_t r = side.table.chromosomeStart[c]; r < side.table.chromosomeStart[c + 1]; ++r) {
      const UAdjacencyRow& adjacency = side.table.rows[r];
      row.clear();
      row.emplace_back(adjacency.uName, -1);
      for (const Term& z : sums) {
        row.emplace_back(z.name, checkedProduct(adjacency.number, z.coefficient));
      }
      rows.add(Section::kSubjectTo, row, Relation::kGreaterEqual, 0);
    }
  }
}

/// An adjacency end matched to an end of a linear chromosome of the
/// other structure has label 0.
void addEndMatching(RowSink& rows, const Side& side, VariablesStorage& storage,
                    TermList& row) {
  for (const Chromosome& chromosome : side.other.chromosomes) {
    if (chromosome.circular) continue;
    const std::optional<ChromosomeEnds> ends = linearEnds(chromosome);
    if (!ends) continue;
    for (const Extremity& e : ends->ends) {
      for (const UAdjacencyRow& adjacency : side.table.rows) {
        for (size_t o = 0; o < 2; ++o) {
          const Extremity& end = adjacency.firstEnd(o);
          if (!fits(end, e)) continue;
          const std::string_view z = side.ownIsFirst ? storage.zVariable(e.name, end.index, e.index)
                                                     : storage.zVariable(e.name, e.index, end.index);
          row.clear();
          row.emplace_back(z, adjacency.number);
          row.emplace_back(adjacency.uName, 1);
          rows.add(Section::kSubjectTo, row, Relation::kLessEqual, adjacency.number);
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

/// The two rows tying two labels: with `tie` 1, the labels of a and b are
/// equal (a <= b and b <= a); with `tie` 0 each is at most its own number.
/// `order` compares the u names of a and b (< 0, 0, > 0); with it each row
/// is built canonical: a t tie sorts before the u names, a z tie after them
/// (`tieIsT` says which, so that the tie's bytes are not read here).
void addEqualLabels(RowSink& rows, const UAdjacencyRow& a, const UAdjacencyRow& b,
                    std::string_view tie, bool tieIsT, int order, TermList& row) {
  if (order == 0) {  // one u name twice: left to the sink to merge
    row.clear();
    row.emplace_back(a.uName, 1);
    row.emplace_back(tie, a.number);
    row.emplace_back(b.uName, -1);
    rows.add(Section::kSubjectTo, row, Relation::kLessEqual, a.number);
    row.clear();
    row.emplace_back(b.uName, 1);
    row.emplace_back(tie, b.number);
    row.emplace_back(a.uName, -1);
    rows.add(Section::kSubjectTo, row, Relation::kLessEqual, b.number);
    return;
  }
  const size_t tieAt = tieIsT ? 0 : 2;
  const size_t uAt = tieAt == 0 ? 1 : 0;
  const bool aFirst = order < 0;
  row.resize(3);
  for (const UAdjacencyRow* own : {&a, &b}) {
    const UAdjacencyRow& other = own == &a ? b : a;
    const bool ownFirst = (own == &a) == aFirst;
    row[tieAt] = Term{tie, own->number};
    row[uAt + (ownFirst ? 0 : 1)] = Term{own->uName, 1};
    row[uAt + (ownFirst ? 1 : 0)] = Term{other.uName, -1};
    rows.add(Section::kSubjectTo, row, Relation::kLessEqual, own->number, TermOrder::kCanonical);
  }
}

/// The place of each row's u name among the table's u names in byte order;
/// rows with the same name share it.
std::vector<size_t> uNameRanks(const UAdjacencyTable& table) {
  std::vector<size_t> order(table.rows.size());
  for (size_t r = 0; r < order.size(); ++r) order[r] = r;
  std::sort(order.begin(), order.end(),
            [&](size_t x, size_t y) { return table.rows[x].uName < table.rows[y].uName; });
  std::vector<size_t> ranks(order.size());
  size_t rank = 0;
  for (size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && table.rows[order[i - 1]].uName != table.rows[order[i]].uName) ++rank;
    ranks[order[i]] = rank;
  }
  return ranks;
}

/// An adjacency end joined to an end of one of its own structure's
/// linear chromosomes has label 0.
void addEndConnections(RowSink& rows, const Side& side, VariablesStorage& storage,
                       TermList& row) {
  const TNames tNames(side.own, side.other.id, storage);
  const std::vector<std::array<size_t, 2>> rowEnds = rowEndPositions(side.table, tNames);
  for (const Chromosome& chromosome : side.own.chromosomes) {
    if (chromosome.circular) continue;
    const std::optional<ChromosomeEnds> ends = linearEnds(chromosome);
    if (!ends) continue;
    for (const std::string& endKey : ends->keys) {
      const size_t end = tNames.position(endKey);
      for (size_t r = 0; r < side.table.rows.size(); ++r) {
        const UAdjacencyRow& adjacency = side.table.rows[r];
        for (size_t o = 0; o < 2; ++o) {
          const std::string_view t = tNames.name(end, rowEnds[r][o]);
          row.clear();
          row.emplace_back(adjacency.uName, 1);
          row.emplace_back(t, adjacency.number);
          rows.add(Section::kSubjectTo, row, Relation::kLessEqual, adjacency.number);
        }
      }
    }
  }
}

/// Adjacencies of the two structures whose ends are matched carry
/// equal labels.
void addCrossMatching(RowSink& rows, const UAdjacencyTable& first, const UAdjacencyTable& second,
                      VariablesStorage& storage, TermList& row) {
  for (const UAdjacencyRow& a : first.rows) {
    for (const UAdjacencyRow& b : second.rows) {
      // Orientations (a, b), (a, reversed b), (reversed a, b), (reversed a, reversed b).
      for (size_t oa = 0; oa < 2; ++oa) {
        for (size_t ob = 0; ob < 2; ++ob) {
          const Extremity& x = a.firstEnd(oa);
          const Extremity& y = b.firstEnd(ob);
          if (!fits(x, y)) continue;
          addEqualLabels(rows, a, b, storage.zVariable(x.name, x.index, y.index), false,
                         a.uName.compare(b.uName), row);
        }
      }
    }
  }
}

/// Adjacencies of one structure whose ends are joined by a t pair
/// carry equal labels. Every ordered pair of adjacencies in every
/// orientation, skipping only an oriented adjacency paired with itself.
void addInnerConnections(RowSink& sink, const Side& side, VariablesStorage& storage,
                         TermList& row) {
  const std::vector<UAdjacencyRow>& rows = side.table.rows;
  const TNames tNames(side.own, side.other.id, storage);
  const std::vector<std::array<size_t, 2>> ends = rowEndPositions(side.table, tNames);
  const std::vector<size_t> ranks = uNameRanks(side.table);
  for (size_t pi = 0; pi < rows.size(); ++pi) {
    const UAdjacencyRow& p = rows[pi];
    for (size_t qi = 0; qi < rows.size(); ++qi) {
      const UAdjacencyRow& q = rows[qi];
      for (size_t ox = 0; ox < 2; ++ox) {
        const Extremity& xFirst = p.firstEnd(ox);
        const Extremity& xSecond = p.firstEnd(1 - ox);
        for (size_t oy = 0; oy < 2; ++oy) {
          if (xFirst == q.firstEnd(oy) && xSecond == q.firstEnd(1 - oy)) continue;
          const int order = ranks[pi] < ranks[qi] ? -1 : (ranks[pi] > ranks[qi] ? 1 : 0);
          addEqualLabels(sink, p, q, tNames.name(ends[pi][ox], ends[qi][oy]), true, order, row);
        }
      }
    }
  }
}

}  // namespace

void generateUVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  const UAdjacencyTable firstTable = buildUAdjacencyTable(first, numbering, true, storage);
  const UAdjacencyTable secondTable = buildUAdjacencyTable(second, numbering, false, storage);
  const Side firstSide{first, firstTable, second, true};
  const Side secondSide{second, secondTable, first, false};
  TermList row;

  addBounds(rows, numbering, storage, row);
  addCircularLabels(rows, firstSide, firstGeneMatchSum, storage, row);
  addCircularLabels(rows, secondSide, secondGeneMatchSum, storage, row);
  addEndMatching(rows, firstSide, storage, row);
  addEndMatching(rows, secondSide, storage, row);
  addEndConnections(rows, firstSide, storage, row);
  addEndConnections(rows, secondSide, storage, row);
  addCrossMatching(rows, firstTable, secondTable, storage, row);
  addInnerConnections(rows, firstSide, storage, row);
  addInnerConnections(rows, secondSide, storage, row);
}

}  // namespace paralog
