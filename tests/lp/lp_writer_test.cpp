#include "lp/lp_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lp/canonical_rows.h"
#include "support/inequality.h"

namespace paralog {
namespace {

TEST(LpWriterTest, WritesTheLayoutByteForByte) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  writer.objective({Term{"z_a.1.1", -2}, Term{"l_a.1h", 1}, Term{"o_1_1", 1}, Term{"o_1_1", -3}});
  CanonicalRows canonical(writer);
  RowSink& rows = canonical;
  rows.add(Section::kSubjectTo, {Term{"z_a.1.1", 1}}, Relation::kLessEqual, 1);
  rows.add(Section::kBounds, {Term{"u_1_a.1ha.1t", 1}}, Relation::kGreaterEqual, 0);
  rows.add(Section::kSubjectTo, {Term{"z_a.1.1", -1}, Term{"l_a.1h", 1}, Term{"z_a.1.1", -1}},
           Relation::kEqual, -4);
  writer.declare(VariableKind::kBinary, "z_a.1.1");
  writer.declare(VariableKind::kGeneral, "l_a.1h");
  writer.declare(VariableKind::kGeneral, "o_1_1");
  writer.end();
  EXPECT_EQ(out,
            "Minimize\n"
            "\t- 2 z_a.1.1 + l_a.1h + o_1_1 - 3 o_1_1\n"
            "\n"
            "Subject To\n"
            "\tz_a.1.1 <= 1\n"
            "\tl_a.1h - 2 z_a.1.1 = -4\n"
            "\n"
            "Bounds\n"
            "\tu_1_a.1ha.1t >= 0\n"
            "\n"
            "\n"
            "Binary\n"
            "\tz_a.1.1\n"
            "\n"
            "General\n"
            "\tl_a.1h\n"
            "\to_1_1\n"
            "\n"
            "End");
}

TEST(LpWriterTest, EmptySectionsAreLeftOutAndAFirstPositiveObjectiveTermKeepsItsSign) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  writer.objective({});
  writer.end();
  EXPECT_EQ(out, "Minimize\n\t\n\n\nBinary\n\nGeneral\n\nEnd");

  std::string bounds;
  StringSink boundsSink(bounds);
  LpWriter boundsOnly(boundsSink);
  boundsOnly.objective({Term{"l_x", 1}});
  boundsOnly.row(Section::kBounds, TermList{Term{"x", 1}}, Relation::kLessEqual, 1);
  boundsOnly.declare(VariableKind::kGeneral, "x");
  boundsOnly.end();
  EXPECT_EQ(bounds, "Minimize\n\t+ l_x\n\nBounds\n\tx <= 1\n\n\nBinary\n\nGeneral\n\tx\n\nEnd");
}

// Rows written across the borders of the writer's 1 MiB chunks, and one row
// longer than a chunk, come out whole and in order: as the checker's own
// rendering of each line, joined.
TEST(LpWriterTest, RowsCrossChunkBordersWhole) {
  std::vector<std::string> names;
  for (int i = 0; i < 120000; ++i) names.push_back("x_" + std::to_string(i));
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  std::string expected = "Subject To\n";
  auto add = [&](const TermList& terms, int32_t rhs) {
    writer.row(Section::kSubjectTo, terms, Relation::kLessEqual, rhs);
    expected += "\t" + renderInequality(Inequality{terms, "<=", rhs}) + "\n";
  };
  for (int i = 0; i < 90000; ++i) add({Term{names[i], 1}, Term{names[i + 1], -3}}, i);
  TermList longRow;
  for (const std::string& name : names) longRow.push_back(Term{name, 2});
  add(longRow, 7);
  for (int i = 0; i < 10; ++i) add({Term{names[i], 1}}, i);
  writer.end();
  expected += "\n\nBinary\n\nGeneral\n\nEnd";
  ASSERT_GT(out.size(), size_t{3} << 20);
  EXPECT_TRUE(out == expected);
}

TEST(LpWriterTest, CanonicalOrderMergesRepeatsDropsZerosAndRefusesOverflow) {
  TermList terms{Term{"b", 2}, Term{"a", 1}, Term{"b", -2}, Term{"c", 1}, Term{"a", 1}};
  makeCanonical(terms);
  std::string line;
  renderRow(terms, Relation::kGreaterEqual, 0, line);
  EXPECT_EQ(line, "2 a + c >= 0");
  EXPECT_EQ(renderInequality(parseInequality("c + b - b + a + a >= 0")), line);

  TermList cancelled{Term{"x", 1}, Term{"x", -1}};
  makeCanonical(cancelled);
  EXPECT_TRUE(cancelled.empty());

  TermList huge{Term{"x", INT32_MAX}, Term{"x", 1}};
  EXPECT_THROW(makeCanonical(huge), std::runtime_error);
}

// Names of every length from 1 to 70 bytes, around the sizes the renderer
// copies differently, come out whole and in place.
TEST(LpWriterTest, RendersNamesOfEveryLengthWhole) {
  std::vector<std::string> names;
  for (size_t length = 1; length <= 70; ++length) {
    std::string name(length, 'a');
    for (size_t i = 0; i < length; ++i) name[i] = static_cast<char>('a' + (length + i) % 26);
    names.push_back(name);
  }
  for (size_t i = 0; i < names.size(); ++i) {
    const TermList terms{Term{names[i], i % 2 == 0 ? 1 : -3},
                         Term{names[(i + 7) % names.size()], 12}};
    std::string line = "#";
    renderRow(terms, Relation::kLessEqual, 5, line);
    const std::string first = (i % 2 == 0 ? "" : "- 3 ") + names[i];
    EXPECT_EQ(line, "#" + first + " + 12 " + names[(i + 7) % names.size()] + " <= 5") << i;
  }
}

}  // namespace
}  // namespace paralog
