#include <iostream>
#include <string>
#include <string_view>

#include "common/decimal.h"
#include "ilp/generators.h"
#include "ilp/t_side.h"

namespace paralog {
namespace {

constexpr std::string_view kSubjectTo = "Subject To";

// Every step below builds each line in `line`, reused from line to line, out
// of texts that TSide computed once.

// Steps 1 and 2: every end of every chromosome gene is in at most one pair.
void atMostOnePartner(IlpTask& task, const TSide& side, std::string& line) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    for (size_t g = 0; g < chromosomes[c].genes.size(); ++g) {
      for (size_t end : side.geneEnds(c, g)) {
        line.clear();
        side.appendTSum(end, line);
        line.append(" <= 1");
        task.addConstraint(kSubjectTo, line);
      }
    }
  }
}

// Steps 3 and 4: a pair excludes a matched copy at either of its ends.
void noPairWithMatchedCopy(IlpTask& task, const TSide& side, std::string& line) {
  const ExtremityPairs& pairs = side.pairs();
  const size_t count = pairs.sorted.size();
  for (size_t x = 0; x < count; ++x) {
    for (size_t y = x + 1; y < count; ++y) {
      const std::string_view t = side.tName(x, y);
      for (size_t end : {x, y}) {
        line.assign(t);
        line.append(" + ");
        line.append(side.plusSum(end));
        line.append(" <= 1");
        task.addConstraint(kSubjectTo, line);
      }
    }
  }
}

// Steps 5 and 6: on a circular chromosome, an end can be paired only while
// some copy of the chromosome is matched. One line per other entry of the
// extremity list, in list order, each followed by the chromosome's minus
// sums, which all its lines share: the inner loop only appends.
void circularSupport(IlpTask& task, const TSide& side, std::string& line) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  const size_t entries = side.extremities().size();
  std::string tail;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (!chromosomes[c].circular) continue;
    tail.assign(side.minusSums(c));
    tail.append(" <= 0");
    for (size_t g = 0; g < chromosomes[c].genes.size(); ++g) {
      for (size_t end : side.geneEnds(c, g)) {
        for (size_t position = 0; position < entries; ++position) {
          const size_t other = side.distinctOf(position);
          if (other == end) continue;
          line.assign(side.tName(end, other));
          line.append(tail);
          task.addConstraint(kSubjectTo, line);
        }
      }
    }
  }
}

// Steps 7 and 8: on a circular chromosome of n genes, the pairs of an end
// plus n times its copy's matching cover the matching of the chromosome.
void circularCover(IlpTask& task, const TSide& side, std::string& line) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  std::string coefficient;
  std::string tail;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    const Chromosome& chromosome = chromosomes[c];
    if (!chromosome.circular) continue;
    coefficient.clear();
    appendUnsignedDecimal(coefficient, chromosome.genes.size());
    for (size_t g = 0; g < chromosome.genes.size(); ++g) {
      const Gene& gene = chromosome.genes[g];
      tail.assign(side.minusSums(c));
      tail.append(" + ");
      side.matchSum()(gene.name, gene.index, side.other(), side.storage(), true, coefficient,
                      tail);
      tail.append(" >= 0");
      for (size_t end : side.geneEnds(c, g)) {
        line.clear();
        side.appendTSum(end, line);
        line.append(tail);
        task.addConstraint(kSubjectTo, line);
      }
    }
  }
}

// Steps 9 and 10: on a linear chromosome every end is matched or paired.
void linearCover(IlpTask& task, const TSide& side, std::string& line) {
  const std::vector<Chromosome>& chromosomes = side.own().chromosomes;
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (chromosomes[c].circular) continue;
    for (size_t g = 0; g < chromosomes[c].genes.size(); ++g) {
      for (size_t end : side.geneEnds(c, g)) {
        line.clear();
        side.appendTSum(end, line);
        line.append(" + ");
        line.append(side.plusSum(end));
        line.append(" >= 1");
        task.addConstraint(kSubjectTo, line);
      }
    }
  }
}

}  // namespace

void generateTVariables(IlpTask& task, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  std::cout << "Calculating T variables\n";
  // The t names of a structure's ends carry the other structure's id.
  const TSide firstSide(first, second, second.id, firstGeneMatchSum, storage);
  const TSide secondSide(second, first, first.id, secondGeneMatchSum, storage);
  std::string line;
  atMostOnePartner(task, firstSide, line);
  atMostOnePartner(task, secondSide, line);
  noPairWithMatchedCopy(task, secondSide, line);
  noPairWithMatchedCopy(task, firstSide, line);
  circularSupport(task, firstSide, line);
  circularSupport(task, secondSide, line);
  circularCover(task, firstSide, line);
  circularCover(task, secondSide, line);
  linearCover(task, firstSide, line);
  linearCover(task, secondSide, line);
}

}  // namespace paralog
