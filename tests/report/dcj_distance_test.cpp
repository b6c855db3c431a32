// The DCJ distance of the matched genes: hand-checked pairs, and genomes
// made from one another by k random DCJ operations (distance at most k,
// exactly 1 after one operation, 0 for none), with unmatched copies strewn
// in that must change nothing but the indel counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "report/dcj_distance.h"
#include "report/matching_report.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::circular;
using testutil::linear;
using testutil::structure;

// Every copy of index 1 matched with copy 1 of its gene in the other genome.
std::vector<MatchedCopyPair> firstCopiesMatched(const Structure& a, const Structure& b) {
  std::vector<MatchedCopyPair> pairs;
  for (const auto& [name, indices] : a.copies) {
    if (b.copies.count(name) != 0) pairs.push_back({name, 1, 1});
  }
  return pairs;
}

size_t distanceOf(const Structure& a, const Structure& b) {
  return reportPairs(a, b, firstCopiesMatched(a, b), 0).matchedDistance;
}

TEST(DcjDistanceTest, HandCheckedPairs) {
  // One inversion.
  EXPECT_EQ(distanceOf(structure(1, {linear({"+a.1", "+b.1", "+c.1"})}),
                       structure(2, {linear({"+a.1", "-b.1", "+c.1"})})), 1u);
  // A circular chromosome against the same order, linear: one cut.
  EXPECT_EQ(distanceOf(structure(1, {circular({"+a.1", "+b.1"})}), structure(2, {linear({"+a.1", "+b.1"})})), 1u);
  // Circular a b c d against a -c b d: two cycles of four genes.
  EXPECT_EQ(distanceOf(structure(1, {circular({"+a.1", "+b.1", "+c.1", "+d.1"})}),
                       structure(2, {circular({"+a.1", "-c.1", "+b.1", "+d.1"})})), 2u);
  // Two linear chromosomes against their fusion: one join.
  EXPECT_EQ(distanceOf(structure(1, {linear({"+a.1"}), linear({"+b.1"})}), structure(2, {linear({"+a.1", "+b.1"})})),
            1u);
  // Unmatched copies (x, the second copies of a) vanish; the chromosome
  // holding only x goes, and the rest read a b c against a b c.
  const Structure a = structure(1, {linear({"+a.1", "+x.1", "+b.1"}), circular({"+x.2"}), linear({"+a.2", "+c.1"})});
  const Structure b = structure(2, {linear({"+a.2", "+a.1", "+b.1", "+c.1"})});
  const MatchingReport report = reportPairs(a, b, firstCopiesMatched(a, b), 0);
  EXPECT_EQ(report.matchedDistance, 1u);  // a b | c against a b c: one join
  EXPECT_EQ(report.unmatchedFirst, 3u);
  EXPECT_EQ(report.unmatchedSecond, 1u);
}

// A random single-copy genome of `genes` genes in adjacency form.
SingleCopyGenome randomGenome(std::mt19937& random, int32_t genes) {
  std::vector<int32_t> order(static_cast<size_t>(genes));
  for (int32_t g = 0; g < genes; ++g) order[g] = g;
  std::shuffle(order.begin(), order.end(), random);
  SingleCopyGenome genome;
  genome.mate.assign(2 * static_cast<size_t>(genes), -1);
  std::vector<int32_t> leftEnd(order.size());  // by position: the tail when forward
  for (size_t i = 0; i < order.size(); ++i) leftEnd[i] = 2 * order[i] + static_cast<int32_t>(random() % 2);
  for (size_t i = 0; i + 1 < order.size(); ++i) {
    if (random() % 4 == 0) continue;  // a chromosome ends here
    const int32_t right = leftEnd[i] ^ 1;
    genome.mate[right] = leftEnd[i + 1], genome.mate[leftEnd[i + 1]] = right;
  }
  return genome;
}

// One random DCJ: two distinct ends e, f; either their adjacency is cut, or
// e and f are joined and their former partners joined to each other (or
// left as chromosome ends).
void applyRandomDcj(std::mt19937& random, SingleCopyGenome& genome) {
  const auto ends = static_cast<int32_t>(genome.mate.size());
  const int32_t e = static_cast<int32_t>(random() % ends);
  int32_t f = static_cast<int32_t>(random() % (ends - 1));
  if (f >= e) ++f;
  std::vector<int32_t>& mate = genome.mate;
  const int32_t ePartner = mate[e];
  const int32_t fPartner = mate[f];
  if (ePartner == f) {
    mate[e] = mate[f] = -1;
    return;
  }
  mate[e] = f, mate[f] = e;
  if (ePartner >= 0) mate[ePartner] = fPartner;
  if (fPartner >= 0) mate[fPartner] = ePartner;
}

// The genome as chromosomes of genes "g<i>" (copy 1), with `strewn` copies
// that have no partner put at random places: "u<i>" copies and second copies.
Structure asStructure(std::mt19937& random, const SingleCopyGenome& genome, int32_t id, int strewn) {
  const auto genes = static_cast<int32_t>(genome.mate.size() / 2);
  std::vector<bool> placed(genes, false);
  std::vector<Chromosome> chromosomes;
  // From the left end `start`, walks to the chromosome's end or back to start.
  auto walk = [&](int32_t start, bool isCircular) {
    Chromosome chromosome;
    chromosome.circular = isCircular;
    for (int32_t left = start;;) {
      const int32_t gene = left / 2;
      placed[gene] = true;
      chromosome.genes.push_back({"g" + std::to_string(gene), 1, left % 2 == 0 ? 1 : -1});
      const int32_t next = genome.mate[left ^ 1];
      if (next < 0 || next == start) break;
      left = next;
    }
    chromosomes.push_back(chromosome);
  };
  for (int32_t end = 0; end < 2 * genes; ++end) {
    if (genome.mate[end] < 0 && !placed[end / 2]) walk(end, false);
  }
  for (int32_t gene = 0; gene < genes; ++gene) {
    if (!placed[gene]) walk(2 * gene, true);
  }
  for (int k = 0; k < strewn; ++k) {
    Chromosome& chromosome = chromosomes[random() % chromosomes.size()];
    const std::string name = random() % 2 == 0 ? "u" + std::to_string(id) + "_" + std::to_string(k) : "g" + std::to_string(random() % genes);
    const int32_t index = name[0] == 'u' ? 1 : 2 + k;
    chromosome.genes.insert(chromosome.genes.begin() + static_cast<long>(random() % (chromosome.genes.size() + 1)),
                            Gene{name, index, 1});
  }
  if (random() % 3 == 0) chromosomes.push_back(Chromosome{random() % 2 == 0, {Gene{"lonely", id, -1}}});
  return structure(id, chromosomes);
}

TEST(DcjDistanceTest, RandomDcjOperationsBoundTheDistance) {
  std::mt19937 random(10122026);
  for (int round = 0; round < 300; ++round) {
    const int32_t genes = 1 + static_cast<int32_t>(random() % 12);
    const int operations = static_cast<int>(random() % 6);
    const SingleCopyGenome origin = randomGenome(random, genes);
    SingleCopyGenome changed = origin;
    for (int k = 0; k < operations; ++k) applyRandomDcj(random, changed);
    const int strewnFirst = static_cast<int>(random() % 4);
    const int strewnSecond = static_cast<int>(random() % 4);
    const Structure a = asStructure(random, origin, 1, strewnFirst);
    const Structure b = asStructure(random, changed, 2, strewnSecond);
    const MatchingReport report = reportPairs(a, b, firstCopiesMatched(a, b), 0);
    const size_t d = report.matchedDistance;
    EXPECT_LE(d, static_cast<size_t>(operations)) << round;
    if (operations <= 1) {
      EXPECT_EQ(d, static_cast<size_t>(operations)) << round;
    }
    EXPECT_EQ(distanceOf(b, a), d) << round;
    EXPECT_EQ(dcjCounts(origin, changed).distance(), d) << round;
    const size_t lonely = (a.copies.count("lonely") != 0) + (b.copies.count("lonely") != 0);
    EXPECT_EQ(report.unmatchedFirst + report.unmatchedSecond,
              static_cast<size_t>(strewnFirst + strewnSecond) + lonely) << round;
  }
}

}  // namespace
}  // namespace paralog
