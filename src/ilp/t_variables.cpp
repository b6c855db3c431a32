#include <string_view>

#include "ilp/generators.h"
#include "ilp/t_side.h"

namespace paralog {
namespace {

// Every function below builds each row in `row`, reused from row to row, out
// of term lists that TSide computed once: a t name or t sum (sorted) and a
// canonical z sum, t names sorting before z names, so rows are canonical as
// built.

// Every end of every chromosome gene is in at most one pair.
void atMostOnePartner(RowSink& rows, const TSide& side, TermList& row) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    for (size_t g = 0; g < chromosomes[c].genes.size(); ++g) {
      for (size_t end : side.geneEnds(c, g)) {
        row.clear();
        side.appendTSum(end, row);
        rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 1, side.tSumOrder());
      }
    }
  }
}

// A pair excludes a matched copy at either of its ends.
void noPairWithMatchedCopy(RowSink& rows, const TSide& side, TermList& row) {
  const size_t count = side.pairs().sorted.size();
  for (size_t x = 0; x < count; ++x) {
    for (size_t y = x + 1; y < count; ++y) {
      const std::string_view t = side.tName(x, y);
      for (size_t end : {x, y}) {
        row.clear();
        row.emplace_back(t, 1);
        row.insert(row.end(), side.plusSum(end).begin(), side.plusSum(end).end());
        rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 1, TermOrder::kCanonical);
      }
    }
  }
}

// On a circular chromosome, an end can be paired only while some copy of
// the chromosome is matched. One row per other entry of the extremity list,
// in list order, each followed by the chromosome's minus sums.
void circularSupport(RowSink& rows, const TSide& side, TermList& row) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  const size_t entries = side.extremities().size();
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (!chromosomes[c].circular) continue;
    const TermList& minus = side.minusSums(c);
    for (size_t g = 0; g < chromosomes[c].genes.size(); ++g) {
      for (size_t end : side.geneEnds(c, g)) {
        for (size_t position = 0; position < entries; ++position) {
          const size_t other = side.distinctOf(position);
          if (other == end) continue;
          row.clear();
          row.emplace_back(side.tName(end, other), 1);
          row.insert(row.end(), minus.begin(), minus.end());
          rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 0, TermOrder::kCanonical);
        }
      }
    }
  }
}

// On a circular chromosome of n genes, an unmatched end is paired as soon as
// any copy of the chromosome is matched: n times its pairs plus n times its
// copy's matching cover the matching of the chromosome, which is at most n.
// (With the pairs counted once, an unmatched end would need one pair per
// matched copy, and two matched copies would make the chromosome
// infeasible.) The z part of a gene's two rows is put in canonical order
// once per gene.
void circularCover(RowSink& rows, const TSide& side, TermList& row) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  TermList tail;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    const Chromosome& chromosome = chromosomes[c];
    if (!chromosome.circular) continue;
    const auto n = static_cast<int32_t>(chromosome.genes.size());
    for (size_t g = 0; g < chromosome.genes.size(); ++g) {
      const Gene& gene = chromosome.genes[g];
      tail = side.minusSums(c);
      side.matchSum()(gene.name, gene.index, side.other(), side.storage(), n, tail);
      makeCanonical(tail);
      for (size_t end : side.geneEnds(c, g)) {
        row.clear();
        side.appendTSum(end, row, n);
        row.insert(row.end(), tail.begin(), tail.end());
        rows.add(Section::kSubjectTo, row, Relation::kGreaterEqual, 0, side.tSumOrder());
      }
    }
  }
}

// On a linear chromosome every end is matched or paired.
void linearCover(RowSink& rows, const TSide& side, TermList& row) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (chromosomes[c].circular) continue;
    for (size_t g = 0; g < chromosomes[c].genes.size(); ++g) {
      for (size_t end : side.geneEnds(c, g)) {
        row.clear();
        side.appendTSum(end, row);
        row.insert(row.end(), side.plusSum(end).begin(), side.plusSum(end).end());
        rows.add(Section::kSubjectTo, row, Relation::kGreaterEqual, 1, side.tSumOrder());
      }
    }
  }
}

}  // namespace

void generateTVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  // The t names of a structure's ends carry the other structure's id.
  const TSide firstSide(first, second, second.id, firstGeneMatchSum, storage);
  const TSide secondSide(second, first, first.id, secondGeneMatchSum, storage);
  TermList row;
  atMostOnePartner(rows, firstSide, row);
  atMostOnePartner(rows, secondSide, row);
  noPairWithMatchedCopy(rows, secondSide, row);
  noPairWithMatchedCopy(rows, firstSide, row);
  circularSupport(rows, firstSide, row);
  circularSupport(rows, secondSide, row);
  circularCover(rows, firstSide, row);
  circularCover(rows, secondSide, row);
  linearCover(rows, firstSide, row);
  linearCover(rows, secondSide, row);
}

}  // namespace paralog
