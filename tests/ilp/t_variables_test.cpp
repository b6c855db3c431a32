#include <gtest/gtest.h>

#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ilp/extremities.h"
#include "ilp/generators.h"
#include "support/declared_names.h"
#include "support/row_collector.h"
#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::ChromosomeText;
using testutil::kCircular;
using testutil::kLinear;
using testutil::makeStructure;

using Lines = std::vector<std::string>;

struct TRun {
  Lines lines;
  Lines binary;
};

TRun runT(const Structure& first, const Structure& second) {
  testutil::RowCollector task;
  VariablesStorage storage;
  generateTVariables(task, first, second, storage);
  TRun run;
  run.lines = task.lines("Subject To");
  for (std::string_view name : testutil::binaryNames(storage)) run.binary.emplace_back(name);
  EXPECT_TRUE(testutil::generalNames(storage).empty());
  EXPECT_TRUE(task.lines("Bounds").empty());
  return run;
}

Lines slice(const Lines& lines, size_t begin, size_t count) {
  if (begin + count > lines.size()) return {};
  return Lines(lines.begin() + begin, lines.begin() + begin + count);
}

Lines repeated(const std::string& line, size_t count) { return Lines(count, line); }

Lines concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(TVariablesTest, WorkedExampleLinear) {
  const Structure first = makeStructure(1, {{kLinear, "+a.1"}});
  const Structure second = makeStructure(2, {{kLinear, "+a.1 +a.2"}});
  const TRun run = runT(first, second);
  EXPECT_EQ(run.lines, (Lines{
                           // first genome: an end is joined at most once
                           "t_2_a.1ha.1t <= 1",
                           "t_2_a.1ha.1t <= 1",
                           // second genome: an end is joined at most once
                           "t_1_a.1ha.1t + t_1_a.1ta.2h + t_1_a.1ta.2t <= 1",
                           "t_1_a.1ha.1t + t_1_a.1ha.2h + t_1_a.1ha.2t <= 1",
                           "t_1_a.1ha.2t + t_1_a.1ta.2t + t_1_a.2ha.2t <= 1",
                           "t_1_a.1ha.2h + t_1_a.1ta.2h + t_1_a.2ha.2t <= 1",
                           // second genome: no end of a matched copy is joined
                           "t_1_a.1ha.1t + z_a.1.1 <= 1",
                           "t_1_a.1ha.1t + z_a.1.1 <= 1",
                           "t_1_a.1ha.2h + z_a.1.1 <= 1",
                           "t_1_a.1ha.2h + z_a.1.2 <= 1",
                           "t_1_a.1ha.2t + z_a.1.1 <= 1",
                           "t_1_a.1ha.2t + z_a.1.2 <= 1",
                           "t_1_a.1ta.2h + z_a.1.1 <= 1",
                           "t_1_a.1ta.2h + z_a.1.2 <= 1",
                           "t_1_a.1ta.2t + z_a.1.1 <= 1",
                           "t_1_a.1ta.2t + z_a.1.2 <= 1",
                           "t_1_a.2ha.2t + z_a.1.2 <= 1",
                           "t_1_a.2ha.2t + z_a.1.2 <= 1",
                           // first genome: no end of a matched copy is joined
                           "t_2_a.1ha.1t + z_a.1.1 + z_a.1.2 <= 1",
                           "t_2_a.1ha.1t + z_a.1.1 + z_a.1.2 <= 1",
                           // first genome, linear: every end is matched or joined
                           "t_2_a.1ha.1t + z_a.1.1 + z_a.1.2 >= 1",
                           "t_2_a.1ha.1t + z_a.1.1 + z_a.1.2 >= 1",
                           // second genome, linear: every end is matched or joined
                           "t_1_a.1ha.1t + t_1_a.1ta.2h + t_1_a.1ta.2t + z_a.1.1 >= 1",
                           "t_1_a.1ha.1t + t_1_a.1ha.2h + t_1_a.1ha.2t + z_a.1.1 >= 1",
                           "t_1_a.1ha.2t + t_1_a.1ta.2t + t_1_a.2ha.2t + z_a.1.2 >= 1",
                           "t_1_a.1ha.2h + t_1_a.1ta.2h + t_1_a.2ha.2t + z_a.1.2 >= 1",
                       }));
  EXPECT_EQ(run.binary, (Lines{"t_1_a.1ha.1t", "t_1_a.1ha.2h", "t_1_a.1ha.2t", "t_1_a.1ta.2h",
                               "t_1_a.1ta.2t", "t_1_a.2ha.2t", "t_2_a.1ha.1t", "z_a.1.1",
                               "z_a.1.2"}));
}

TEST(TVariablesTest, WorkedExampleCircular) {
  const Structure first = makeStructure(1, {{kCircular, "+a.1 +b.1"}});
  const Structure second = makeStructure(2, {{kLinear, "+a.1 +b.1"}});
  const TRun run = runT(first, second);
  // 32 lines of joins at most once and none while matched come first.
  ASSERT_EQ(run.lines.size(), 52u);
  const std::string minus = " - z_a.1.1 - z_b.1.1 <= 0";
  EXPECT_EQ(slice(run.lines, 32, 12),
            (Lines{
                "t_2_a.1ha.1t" + minus, "t_2_a.1tb.1t" + minus, "t_2_a.1tb.1h" + minus,  // a.1t
                "t_2_a.1ha.1t" + minus, "t_2_a.1hb.1t" + minus, "t_2_a.1hb.1h" + minus,  // a.1h
                "t_2_a.1tb.1t" + minus, "t_2_a.1hb.1t" + minus, "t_2_b.1hb.1t" + minus,  // b.1t
                "t_2_a.1tb.1h" + minus, "t_2_a.1hb.1h" + minus, "t_2_b.1hb.1t" + minus,  // b.1h
            }));
  EXPECT_EQ(slice(run.lines, 44, 4),
            (Lines{
                "2 t_2_a.1ha.1t + 2 t_2_a.1tb.1h + 2 t_2_a.1tb.1t + z_a.1.1 - z_b.1.1 >= 0",
                "2 t_2_a.1ha.1t + 2 t_2_a.1hb.1h + 2 t_2_a.1hb.1t + z_a.1.1 - z_b.1.1 >= 0",
                "2 t_2_a.1hb.1t + 2 t_2_a.1tb.1t + 2 t_2_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0",
                "2 t_2_a.1hb.1h + 2 t_2_a.1tb.1h + 2 t_2_b.1hb.1t - z_a.1.1 + z_b.1.1 >= 0",
            }));
  EXPECT_EQ(slice(run.lines, 48, 4),
            (Lines{
                "t_1_a.1ha.1t + t_1_a.1tb.1h + t_1_a.1tb.1t + z_a.1.1 >= 1",
                "t_1_a.1ha.1t + t_1_a.1hb.1h + t_1_a.1hb.1t + z_a.1.1 >= 1",
                "t_1_a.1hb.1t + t_1_a.1tb.1t + t_1_b.1hb.1t + z_b.1.1 >= 1",
                "t_1_a.1hb.1h + t_1_a.1tb.1h + t_1_b.1hb.1t + z_b.1.1 >= 1",
            }));
}

TEST(TVariablesTest, CircularChromosomeOfOneGene) {
  const TRun run = runT(makeStructure(1, {{kCircular, "-a.1"}}),
                        makeStructure(2, {{kLinear, "+a.1"}}));
  EXPECT_EQ(run.lines, concat({
                           repeated("t_2_a.1ha.1t <= 1", 2),  // first: joined at most once
                           repeated("t_1_a.1ha.1t <= 1", 2),  // second: joined at most once
                           repeated("t_1_a.1ha.1t + z_a.1.1 <= 1", 2),  // second: not while matched
                           repeated("t_2_a.1ha.1t + z_a.1.1 <= 1", 2),  // first: not while matched
                           repeated("t_2_a.1ha.1t - z_a.1.1 <= 0", 2),  // first: circular, while matched
                           repeated("t_2_a.1ha.1t >= 0", 2),  // first: circular, >= 0
                           repeated("t_1_a.1ha.1t + z_a.1.1 >= 1", 2),  // second: matched or joined
                       }));
}

// A copy written twice: its ends are listed twice, so t sums name the
// other end twice and match sums of the other side name its z twice;
// every repeated line is kept.
TEST(TVariablesTest, CopyWrittenTwiceOnALinearChromosome) {
  const TRun run = runT(makeStructure(1, {{kLinear, "+a.1 -a.1"}}),
                        makeStructure(2, {{kLinear, "+a.1"}}));
  EXPECT_EQ(run.lines, concat({
                           repeated("2 t_2_a.1ha.1t <= 1", 4),  // first: joined at most once
                           repeated("t_1_a.1ha.1t <= 1", 2),  // second: joined at most once
                           repeated("t_1_a.1ha.1t + 2 z_a.1.1 <= 1", 2),  // second: not while matched
                           repeated("t_2_a.1ha.1t + z_a.1.1 <= 1", 2),  // first: not while matched
                           repeated("2 t_2_a.1ha.1t + z_a.1.1 >= 1", 4),  // first: matched or joined
                           repeated("t_1_a.1ha.1t + 2 z_a.1.1 >= 1", 2),  // second: matched or joined
                       }));
  EXPECT_EQ(run.binary, (Lines{"t_1_a.1ha.1t", "t_2_a.1ha.1t", "z_a.1.1"}));
}

TEST(TVariablesTest, CopyWrittenTwiceOnACircularChromosome) {
  const TRun run = runT(makeStructure(1, {{kCircular, "+a.1 -a.1"}}),
                        makeStructure(2, {{kLinear, "+a.1"}}));
  EXPECT_EQ(run.lines, concat({
                           repeated("2 t_2_a.1ha.1t <= 1", 4),  // first: joined at most once
                           repeated("t_1_a.1ha.1t <= 1", 2),  // second: joined at most once
                           repeated("t_1_a.1ha.1t + 2 z_a.1.1 <= 1", 2),  // second: not while matched
                           repeated("t_2_a.1ha.1t + z_a.1.1 <= 1", 2),  // first: not while matched
                           repeated("t_2_a.1ha.1t - 2 z_a.1.1 <= 0", 8),  // first: circular, while matched
                           repeated("4 t_2_a.1ha.1t >= 0", 4),  // first: circular cover, n = 2 times 2 t
                           repeated("t_1_a.1ha.1t + 2 z_a.1.1 >= 1", 2),  // second: matched or joined
                       }));
}

TEST(TVariablesTest, BothStructuresWithTheSameIdShareTNames) {
  const Structure first = makeStructure(5, {{kLinear, "+a.1 +b.1"}});
  const Structure second = makeStructure(5, {{kLinear, "-b.1 -a.1"}});
  const TRun run = runT(first, second);
  ASSERT_EQ(run.lines.size(), 4u + 4u + 12u + 12u + 4u + 4u);
  EXPECT_EQ(slice(run.lines, 0, 4),
            (Lines{"t_5_a.1ha.1t + t_5_a.1tb.1h + t_5_a.1tb.1t <= 1",
                   "t_5_a.1ha.1t + t_5_a.1hb.1h + t_5_a.1hb.1t <= 1",
                   "t_5_a.1hb.1t + t_5_a.1tb.1t + t_5_b.1hb.1t <= 1",
                   "t_5_a.1hb.1h + t_5_a.1tb.1h + t_5_b.1hb.1t <= 1"}));
  // The second structure's at-most-once lines walk b.1 first, as its chromosome does.
  EXPECT_EQ(slice(run.lines, 4, 4),
            (Lines{"t_5_a.1hb.1t + t_5_a.1tb.1t + t_5_b.1hb.1t <= 1",
                   "t_5_a.1hb.1h + t_5_a.1tb.1h + t_5_b.1hb.1t <= 1",
                   "t_5_a.1ha.1t + t_5_a.1tb.1h + t_5_a.1tb.1t <= 1",
                   "t_5_a.1ha.1t + t_5_a.1hb.1h + t_5_a.1hb.1t <= 1"}));
  EXPECT_EQ(slice(run.lines, 8, 12), slice(run.lines, 20, 12));  // not-while-matched lines of both
  EXPECT_EQ(run.binary, (Lines{"t_5_a.1ha.1t", "t_5_a.1hb.1h", "t_5_a.1hb.1t", "t_5_a.1tb.1h",
                               "t_5_a.1tb.1t", "t_5_b.1hb.1t", "z_a.1.1", "z_b.1.1"}));
}

TEST(TVariablesTest, CopyIndicesTwoAndTenInKeyOrder) {
  const TRun run = runT(makeStructure(1, {{kLinear, "+a.2 +a.10"}}),
                        makeStructure(2, {{kLinear, "+a.1"}}));
  ASSERT_EQ(run.lines.size(), 4u + 2u + 2u + 12u + 4u + 2u);
  EXPECT_EQ(run.lines[0], "t_2_a.10ha.2t + t_2_a.10ta.2t + t_2_a.2ha.2t <= 1");
  EXPECT_EQ(slice(run.lines, 8, 12), (Lines{
                                         "t_2_a.10ha.10t + z_a.10.1 <= 1",
                                         "t_2_a.10ha.10t + z_a.10.1 <= 1",
                                         "t_2_a.10ha.2h + z_a.10.1 <= 1",
                                         "t_2_a.10ha.2h + z_a.2.1 <= 1",
                                         "t_2_a.10ha.2t + z_a.10.1 <= 1",
                                         "t_2_a.10ha.2t + z_a.2.1 <= 1",
                                         "t_2_a.10ta.2h + z_a.10.1 <= 1",
                                         "t_2_a.10ta.2h + z_a.2.1 <= 1",
                                         "t_2_a.10ta.2t + z_a.10.1 <= 1",
                                         "t_2_a.10ta.2t + z_a.2.1 <= 1",
                                         "t_2_a.2ha.2t + z_a.2.1 <= 1",
                                         "t_2_a.2ha.2t + z_a.2.1 <= 1",
                                     }));
}

TEST(TVariablesTest, ChromosomesWithoutGenesContributeNothing) {
  const Structure second = makeStructure(2, {{kLinear, "+b.1"}, {kCircular, "+a.1"}});
  const TRun plain = runT(makeStructure(1, {{kCircular, "+a.1 -b.1"}}), second);
  const TRun padded = runT(
      makeStructure(1, {{kLinear, ""}, {kCircular, ""}, {kCircular, "+a.1 -b.1"}, {kLinear, ""}}),
      second);
  EXPECT_EQ(padded.lines, plain.lines);
  EXPECT_EQ(padded.binary, plain.binary);
}

// The t rows written the plain way, one builder call per name and per
// match sum, with every list rebuilt where a step needs it. The generator
// must store exactly the lines that this gives.
struct ReferenceSide {
  const Structure& own;
  const Structure& other;
  int32_t k;
  GeneMatchSumBuilder matchSum;
};

std::string referenceTSum(const ReferenceSide& side, const Extremity& x,
                          VariablesStorage& storage, const std::string& coefficient = "") {
  std::string text;
  for (const Extremity& y : structureExtremities(side.own)) {
    if (y == x) continue;
    if (!text.empty()) text += " + ";
    text += coefficient;
    text += storage.tVariable(side.k, x, y);
  }
  return text;
}

std::string referenceM(const ReferenceSide& side, const std::string& name, int32_t index,
                       VariablesStorage& storage, bool plus = true,
                       const std::string& coefficient = "") {
  // The sum as text: "c z1 + c z2" (or " - " between terms when not plus).
  TermList terms;
  side.matchSum(name, index, side.other, storage, 1, terms);
  std::string text;
  for (const Term& term : terms) {
    if (!text.empty()) text += plus ? " + " : " - ";
    if (!coefficient.empty()) text += coefficient + " ";
    text += term.name;
  }
  return text;
}

template <typename Emit>
void forEachEnd(const Chromosome& chromosome, Emit emit) {
  for (const Gene& gene : chromosome.genes) {
    for (char end : kEndLabels) emit(gene, Extremity{gene.name, gene.index, end});
  }
}

struct ReferenceRun {
  Lines lines;
  Lines binary;
};

ReferenceRun referenceT(const Structure& first, const Structure& second) {
  testutil::RowCollector task;
  VariablesStorage storage;
  const ReferenceSide sides[2] = {{first, second, second.id, firstGeneMatchSum},
                                  {second, first, first.id, secondGeneMatchSum}};
  auto add = [&](const std::string& text) { task.addText("Subject To", text); };
  for (const ReferenceSide& side : sides) {
    for (const Chromosome& c : side.own.chromosomes) {
      forEachEnd(c, [&](const Gene&, const Extremity& x) {
        add(referenceTSum(side, x, storage) + " <= 1");
      });
    }
  }
  for (const ReferenceSide& side : {sides[1], sides[0]}) {
    std::map<std::pair<std::string, std::string>, std::pair<Extremity, Extremity>> pairs;
    const std::vector<Extremity> all = structureExtremities(side.own);
    for (const Extremity& a : all) {
      for (const Extremity& b : all) {
        if (a == b) continue;
        const bool aFirst = extremityKey(a) < extremityKey(b);
        const Extremity& lo = aFirst ? a : b;
        const Extremity& hi = aFirst ? b : a;
        pairs.emplace(std::make_pair(extremityKey(lo), extremityKey(hi)), std::make_pair(lo, hi));
      }
    }
    for (const auto& [keys, pair] : pairs) {
      const std::string t(storage.tVariable(side.k, pair.first, pair.second));
      add(t + " + " + referenceM(side, pair.first.name, pair.first.index, storage) + " <= 1");
      add(t + " + " + referenceM(side, pair.second.name, pair.second.index, storage) + " <= 1");
    }
  }
  for (const ReferenceSide& side : sides) {
    for (const Chromosome& c : side.own.chromosomes) {
      if (!c.circular) continue;
      forEachEnd(c, [&](const Gene&, const Extremity& x) {
        for (const Extremity& y : structureExtremities(side.own)) {
          if (y == x) continue;
          std::string text(storage.tVariable(side.k, x, y));
          for (const Gene& h : c.genes) text += " - " + referenceM(side, h.name, h.index, storage, false);
          add(text + " <= 0");
        }
      });
    }
  }
  for (const ReferenceSide& side : sides) {
    for (const Chromosome& c : side.own.chromosomes) {
      if (!c.circular) continue;
      forEachEnd(c, [&](const Gene& g, const Extremity& x) {
        const std::string n = std::to_string(c.genes.size());
        std::string text = referenceTSum(side, x, storage, n + " ");
        for (const Gene& h : c.genes) text += " - " + referenceM(side, h.name, h.index, storage, false);
        text += " + " + referenceM(side, g.name, g.index, storage, true, n);
        add(text + " >= 0");
      });
    }
  }
  for (const ReferenceSide& side : sides) {
    for (const Chromosome& c : side.own.chromosomes) {
      if (c.circular) continue;
      forEachEnd(c, [&](const Gene&, const Extremity& x) {
        add(referenceTSum(side, x, storage) + " + " + referenceM(side, x.name, x.index, storage) +
            " >= 1");
      });
    }
  }
  ReferenceRun run{task.lines("Subject To"), {}};
  for (std::string_view name : testutil::binaryNames(storage)) run.binary.emplace_back(name);
  return run;
}

// Random structures over a few gene names, with repeated copies, copy
// indices of one and two digits, empty chromosomes and both kinds mixed.
Structure randomStructure(std::mt19937& random, int32_t id, const std::vector<std::string>& names) {
  Structure s;
  s.id = id;
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  const size_t chromosomes = 1 + pick(4);
  for (size_t c = 0; c < chromosomes; ++c) {
    Chromosome chromosome;
    chromosome.circular = pick(2) == 0;
    const size_t genes = pick(5);
    for (size_t g = 0; g < genes; ++g) {
      static const int32_t kIndices[] = {1, 2, 10, 3};
      Gene gene{names[pick(names.size())], kIndices[pick(4)], pick(2) == 0 ? -1 : 1};
      s.copies[gene.name].push_back(gene.index);
      chromosome.genes.push_back(gene);
    }
    s.chromosomes.push_back(chromosome);
  }
  // Every name occurs in both structures: give a lone copy to any name left out.
  Chromosome extra;
  extra.circular = pick(2) == 0;
  for (const std::string& name : names) {
    if (s.copies.count(name) == 0) {
      extra.genes.push_back(Gene{name, 1, 1});
      s.copies[name].push_back(1);
    }
  }
  if (!extra.genes.empty()) s.chromosomes.push_back(extra);
  return s;
}

TEST(TVariablesTest, MatchesThePlainReadingOnRandomStructures) {
  std::mt19937 random(20240611);
  const std::vector<std::string> names = {"a", "b", "g10", "g2"};
  for (int round = 0; round < 60; ++round) {
    const Structure first = randomStructure(random, 1 + round % 3, names);
    const Structure second = randomStructure(random, 1 + round % 2, names);
    const TRun run = runT(first, second);
    const ReferenceRun reference = referenceT(first, second);
    ASSERT_EQ(run.lines, reference.lines) << "round " << round;
    ASSERT_EQ(run.binary, reference.binary) << "round " << round;
  }
}

// Line counts for a structure of N distinct copies (2N ends): the at-most-once
// lines are 2N lines of 2N - 1 t terms; the not-while-matched lines two per
// pair of ends; the joined-only-while-matched lines 2n(2N - 1) per circular
// chromosome of n genes; the matched-or-joined lines 2n per chromosome.
// The storage ends with every t name of both sides and every z name.
struct Layout {
  std::vector<std::pair<bool, size_t>> first;   // kind and gene count per chromosome
  std::vector<std::pair<bool, size_t>> second;
};

size_t copiesOf(const std::vector<std::pair<bool, size_t>>& layout) {
  size_t n = 0;
  for (const auto& chromosome : layout) n += chromosome.second;
  return n;
}

// Copy c of a structure is gene "g" + (c % names) with index c / names + 1,
// so both structures hold the same names with different copy counts.
Structure layoutStructure(int32_t id, const std::vector<std::pair<bool, size_t>>& layout,
                          size_t names) {
  Structure s;
  s.id = id;
  size_t c = 0;
  for (const auto& [circular, count] : layout) {
    Chromosome chromosome;
    chromosome.circular = circular;
    for (size_t g = 0; g < count; ++g, ++c) {
      Gene gene{"g" + std::to_string(c % names), static_cast<int32_t>(c / names + 1),
                c % 3 == 0 ? -1 : 1};
      s.copies[gene.name].push_back(gene.index);
      chromosome.genes.push_back(gene);
    }
    s.chromosomes.push_back(chromosome);
  }
  return s;
}

struct Segment {
  size_t count;
  std::string relation;  // the line's ending
  std::string tPrefix;   // every line holds a t name of this prefix
};

TEST(TVariablesTest, LineCountsForStructuresOfNCopies) {
  const std::vector<Layout> layouts = {
      {{{kLinear, 1}}, {{kCircular, 1}}},
      {{{kLinear, 3}, {kCircular, 2}}, {{kCircular, 5}}},
      {{{kCircular, 4}, {kCircular, 1}, {kLinear, 2}, {kLinear, 0}}, {{kLinear, 7}}},
      {{{kLinear, 10}, {kCircular, 10}}, {{kCircular, 7}, {kLinear, 6}, {kCircular, 4}}},
      {{{kCircular, 2}, {kCircular, 3}}, {{kLinear, 1}, {kLinear, 1}, {kLinear, 1}}},
  };
  for (const Layout& layout : layouts) {
    const size_t n1 = copiesOf(layout.first);
    const size_t n2 = copiesOf(layout.second);
    const size_t names = std::min(n1, n2);
    const Structure first = layoutStructure(1, layout.first, names);
    const Structure second = layoutStructure(2, layout.second, names);

    auto perKind = [](const std::vector<std::pair<bool, size_t>>& chromosomes, bool circular,
                      size_t perGene) {
      size_t lines = 0;
      for (const auto& [kind, count] : chromosomes) {
        if (kind == circular) lines += 2 * count * perGene;
      }
      return lines;
    };
    const std::vector<Segment> segments = {
        {2 * n1, " <= 1", "t_2_"},
        {2 * n2, " <= 1", "t_1_"},
        {2 * n2 * (2 * n2 - 1), " <= 1", "t_1_"},
        {2 * n1 * (2 * n1 - 1), " <= 1", "t_2_"},
        {perKind(layout.first, kCircular, 2 * n1 - 1), " <= 0", "t_2_"},
        {perKind(layout.second, kCircular, 2 * n2 - 1), " <= 0", "t_1_"},
        {perKind(layout.first, kCircular, 1), " >= 0", "t_2_"},
        {perKind(layout.second, kCircular, 1), " >= 0", "t_1_"},
        {perKind(layout.first, kLinear, 1), " >= 1", "t_2_"},
        {perKind(layout.second, kLinear, 1), " >= 1", "t_1_"},
    };
    const TRun run = runT(first, second);
    size_t expected = 0;
    for (const Segment& segment : segments) expected += segment.count;
    ASSERT_EQ(run.lines.size(), expected) << n1 << " and " << n2 << " copies";

    size_t at = 0;
    for (size_t step = 0; step < segments.size(); ++step) {
      const Segment& segment = segments[step];
      for (size_t i = 0; i < segment.count; ++i, ++at) {
        const std::string& line = run.lines[at];
        SCOPED_TRACE("step " + std::to_string(step + 1) + ": " + line);
        ASSERT_GE(line.size(), segment.relation.size());
        EXPECT_EQ(line.substr(line.size() - segment.relation.size()), segment.relation);
        // The circular cover rows give their t terms the chromosome's gene count.
        EXPECT_EQ(line.find(segment.tPrefix), line.find_first_not_of("0123456789 "));
        if (step < 2) {  // 2N - 1 t terms, each once, no z term
          const size_t own = step == 0 ? n1 : n2;
          size_t terms = 1;
          for (size_t p = line.find(" + "); p != std::string::npos; p = line.find(" + ", p + 1)) {
            ++terms;
          }
          EXPECT_EQ(terms, 2 * own - 1);
          EXPECT_EQ(line.find("z_"), std::string::npos);
        }
      }
    }

    size_t zNames = 0;
    for (const auto& [name, indices] : first.copies) {
      zNames += indices.size() * second.copies.at(name).size();
    }
    const size_t tNames = n1 * (2 * n1 - 1) + n2 * (2 * n2 - 1);
    EXPECT_EQ(run.binary.size(), tNames + zNames);
  }
}

}  // namespace
}  // namespace paralog
