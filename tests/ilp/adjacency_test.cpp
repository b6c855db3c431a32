#include "ilp/adjacency.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/structure_builders.h"

namespace paralog {
namespace {

using testutil::circular;
using testutil::gene;
using testutil::linear;
using testutil::structure;

// An adjacency written as its two keys, e.g. "a.1h b.2h".
std::string text(const Adjacency& a) {
  return extremityKey(a.firstEnd) + " " + extremityKey(a.secondEnd);
}

std::vector<std::string> texts(const std::vector<Adjacency>& list) {
  std::vector<std::string> result;
  for (const Adjacency& a : list) result.push_back(text(a));
  return result;
}

// The numbering in iteration order as "keys number id".
std::vector<std::string> entries(const AdjacencyNumbering& numbering) {
  std::vector<std::string> result;
  for (const auto& [keys, entry] : numbering.entries()) {
    EXPECT_EQ(keys.first, extremityKey(entry.adjacency.firstEnd));
    EXPECT_EQ(keys.second, extremityKey(entry.adjacency.secondEnd));
    result.push_back(text(entry.adjacency) + " " + std::to_string(entry.value.number) + " " +
                     std::to_string(entry.value.id));
  }
  return result;
}

using Texts = std::vector<std::string>;

TEST(AdjacencyTest, EndsFollowTheCopysSign) {
  EXPECT_EQ(extremityKey(leftExtremity(gene("+a.1"))), "a.1t");
  EXPECT_EQ(extremityKey(rightExtremity(gene("+a.1"))), "a.1h");
  EXPECT_EQ(extremityKey(leftExtremity(gene("-a.3"))), "a.3h");
  EXPECT_EQ(extremityKey(rightExtremity(gene("-a.3"))), "a.3t");
  // Only -1 reverses a copy; any other sign reads tail to head.
  const Gene odd{"g", 7, 0};
  EXPECT_EQ(extremityKey(leftExtremity(odd)), "g.7t");
  EXPECT_EQ(extremityKey(rightExtremity(odd)), "g.7h");
}

TEST(AdjacencyTest, LinearChromosomesJoinNeighboursAndNormaliseByKey) {
  EXPECT_EQ(texts(chromosomeAdjacencies(linear({"+a.1", "-b.2"}))), Texts{"a.1h b.2h"});
  // b.1t then a.1t on the chromosome; the smaller key comes first.
  EXPECT_EQ(texts(chromosomeAdjacencies(linear({"-a.1", "+b.1"}))), Texts{"a.1t b.1t"});
  EXPECT_EQ(texts(chromosomeAdjacencies(linear({"+c.1", "+b.1", "-a.1"}))),
            (Texts{"b.1t c.1h", "a.1h b.1h"}));
}

TEST(AdjacencyTest, CircularChromosomesCloseTheRing) {
  EXPECT_EQ(texts(chromosomeAdjacencies(circular({"+a.1", "-b.1"}))),
            (Texts{"a.1h b.1h", "a.1t b.1t"}));
  // One gene: its own two ends touch.
  EXPECT_EQ(texts(chromosomeAdjacencies(circular({"+a.1"}))), Texts{"a.1h a.1t"});
  EXPECT_EQ(texts(chromosomeAdjacencies(circular({"-a.1"}))), Texts{"a.1h a.1t"});
  EXPECT_EQ(texts(chromosomeAdjacencies(circular({"+a.1", "+b.1", "+c.1"}))),
            (Texts{"a.1h b.1t", "b.1h c.1t", "a.1t c.1h"}));
}

TEST(AdjacencyTest, ChromosomesTooShortForAnAdjacencyGiveNone) {
  EXPECT_TRUE(chromosomeAdjacencies(linear({"+a.1"})).empty());
  EXPECT_TRUE(chromosomeAdjacencies(linear({})).empty());
  EXPECT_TRUE(chromosomeAdjacencies(circular({})).empty());
}

TEST(AdjacencyTest, CopyTenSortsBeforeCopyTwo) {
  // a.2h and a.10t touch; "a.10t" < "a.2h" as text.
  EXPECT_EQ(texts(chromosomeAdjacencies(linear({"+a.2", "+a.10"}))), Texts{"a.10t a.2h"});
  const Structure first = structure(1, {linear({"+a.2", "+b.1"}), linear({"+a.10", "+b.2"})});
  const Structure second = structure(2, {});
  EXPECT_EQ(entries(numberAdjacencies(first, second)),
            (Texts{"a.10h b.2t 2 1", "a.2h b.1t 1 1"}));
}

TEST(AdjacencyTest, StructureAdjacenciesConcatenateChromosomesAndKeepRepeats) {
  const Structure s = structure(
      1, {linear({"+a.1", "+b.1"}), circular({}), linear({}), circular({"+c.1"}),
          linear({"+a.1", "+b.1"})});
  EXPECT_EQ(texts(structureAdjacencies(s)), (Texts{"a.1h b.1t", "c.1h c.1t", "a.1h b.1t"}));
  EXPECT_TRUE(structureAdjacencies(structure(1, {})).empty());
}

TEST(AdjacencyTest, ReversedAndOrientationPairs) {
  const Adjacency x = chromosomeAdjacencies(linear({"+a.1", "+b.1"}))[0];  // a.1h b.1t
  const Adjacency y = chromosomeAdjacencies(linear({"+c.1", "+d.1"}))[0];  // c.1h d.1t
  EXPECT_EQ(text(reversed(x)), "b.1t a.1h");
  EXPECT_EQ(reversed(reversed(x)), x);
  EXPECT_NE(reversed(x), x);
  const auto pairs = orientationPairs(x, y);
  Texts got;
  for (const auto& [p, q] : pairs) got.push_back(text(p) + " | " + text(q));
  EXPECT_EQ(got, (Texts{"a.1h b.1t | c.1h d.1t", "a.1h b.1t | d.1t c.1h",
                        "b.1t a.1h | c.1h d.1t", "b.1t a.1h | d.1t c.1h"}));
}

TEST(AdjacencyNumberingTest, NumbersRunOnFromFirstIntoSecond) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1", "+c.1"})});
  const Structure second = structure(2, {circular({"+a.1", "-b.1"})});
  EXPECT_EQ(entries(numberAdjacencies(first, second)),
            (Texts{"a.1h b.1h 3 2", "a.1h b.1t 1 1", "a.1t b.1t 4 2", "b.1h c.1t 2 1"}));
}

TEST(AdjacencyNumberingTest, AnAdjacencyInBothStructuresKeepsTheSecondsNumberAndId) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1"})});
  const Structure second = structure(2, {linear({"+a.1", "+b.1"})});
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  EXPECT_EQ(entries(numbering), Texts{"a.1h b.1t 2 2"});
  // Met again in the other orientation (-b.1 -a.1 reads b.1t then a.1h).
  const Structure flipped = structure(5, {linear({"-b.1", "-a.1"})});
  EXPECT_EQ(entries(numberAdjacencies(first, flipped)), Texts{"a.1h b.1t 2 5"});
}

TEST(AdjacencyNumberingTest, TheCounterGrowsForEveryAdjacencyVisited) {
  // The repeated adjacency of the first structure takes numbers 1 and 2 and
  // keeps 2; the second structure goes on with 3.
  const Structure first = structure(1, {linear({"+a.1", "+b.1"}), linear({"+a.1", "+b.1"})});
  const Structure second = structure(2, {linear({"+c.1", "+d.1"})});
  EXPECT_EQ(entries(numberAdjacencies(first, second)), (Texts{"a.1h b.1t 2 1", "c.1h d.1t 3 2"}));
}

TEST(AdjacencyNumberingTest, IteratesInKeyOrderNotNumberOrder) {
  const Structure first = structure(1, {linear({"+p.1", "+q.1", "+r.1"})});
  const Structure second = structure(2, {linear({"+a.1", "+b.1"})});
  EXPECT_EQ(entries(numberAdjacencies(first, second)),
            (Texts{"a.1h b.1t 3 2", "p.1h q.1t 1 1", "q.1h r.1t 2 1"}));
  // The second end decides between equal first ends.
  const Structure fork = structure(3, {linear({"+a.1", "+c.1"}), linear({"+a.1", "+b.1"})});
  EXPECT_EQ(entries(numberAdjacencies(fork, structure(4, {}))),
            (Texts{"a.1h b.1t 2 3", "a.1h c.1t 1 3"}));
}

TEST(AdjacencyNumberingTest, NumberTextIsTheSameForBothOrientations) {
  const Structure first = structure(1, {linear({"+a.1", "+b.1", "+c.1"})});
  const Structure second = structure(2, {circular({"+d.1", "+e.1", "+f.1", "+g.1", "+h.1",
                                                    "+i.1", "+j.1", "+k.1", "+l.1"})});
  const AdjacencyNumbering numbering = numberAdjacencies(first, second);
  for (const Structure* s : {&first, &second}) {
    for (const Adjacency& a : structureAdjacencies(*s)) {
      EXPECT_EQ(adjacencyNumber(numbering, a), adjacencyNumber(numbering, reversed(a)));
    }
  }
  const Adjacency ab = chromosomeAdjacencies(linear({"+a.1", "+b.1"}))[0];
  EXPECT_EQ(adjacencyNumber(numbering, ab), 1);
  EXPECT_EQ(adjacencyNumber(numbering, reversed(ab)), 1);
  // The ring's closing adjacency {d.1t, l.1h} is the eleventh visited.
  const Adjacency closing = chromosomeAdjacencies(linear({"+l.1", "+d.1"}))[0];
  EXPECT_EQ(adjacencyNumber(numbering, reversed(closing)), 11);
}

TEST(AdjacencyNumberingTest, AnUnknownAdjacencyIsAnInternalErrorNamingIt) {
  const AdjacencyNumbering numbering =
      numberAdjacencies(structure(1, {linear({"+a.1", "+b.1"})}), structure(2, {}));
  const Adjacency missing = chromosomeAdjacencies(linear({"+x.1", "-y.2"}))[0];
  try {
    adjacencyNumber(numbering, missing);
    FAIL() << "expected an error";
  } catch (const std::logic_error& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("x.1h"), std::string::npos) << message;
    EXPECT_NE(message.find("y.2h"), std::string::npos) << message;
  }
}

TEST(AdjacencyNumberingTest, SetAndFindAcceptEitherOrientation) {
  AdjacencyNumbering numbering;
  const Adjacency ab = chromosomeAdjacencies(linear({"+a.1", "+b.1"}))[0];
  numbering.set(reversed(ab), AdjacencyNumber{7, 3});
  ASSERT_EQ(numbering.entries().size(), 1u);
  EXPECT_EQ(numbering.entries().begin()->second.adjacency, ab);  // stored normalised
  ASSERT_NE(numbering.find(ab), nullptr);
  EXPECT_EQ(numbering.find(ab)->number, 7);
  EXPECT_EQ(numbering.find(reversed(ab))->id, 3);
  numbering.set(ab, AdjacencyNumber{9, 4});
  EXPECT_EQ(numbering.entries().size(), 1u);
  EXPECT_EQ(numbering.find(reversed(ab))->number, 9);
  EXPECT_EQ(numbering.find(reversed(ab))->id, 4);
}

}  // namespace
}  // namespace paralog
