#include "lp/portable_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace paralog {
namespace {

// "- 2 z + o" for the merged terms of `terms`.
std::string merged(const TermList& terms) {
  std::string out;
  for (const MergedTerm& term : mergeRepeatedTerms(terms)) {
    out += (out.empty() ? "" : " ") + std::to_string(term.coefficient) + " " +
           std::string(term.name);
  }
  return out;
}

std::string wrapped(std::string_view line) {
  std::string out;
  appendWrappedLine(line, out);
  return out;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(PortableObjectiveTest, MergesEachRepeatedVariableWhereItFirstStood) {
  EXPECT_EQ(merged({{"z_a.1.1", -2}, {"o_2_0", 1}, {"o_2_0", -2}}), "-2 z_a.1.1 -1 o_2_0");
  EXPECT_EQ(merged({{"o_1_0", 1}, {"o_1_0", -1}, {"r_1_a.1h", -1}}), "0 o_1_0 -1 r_1_a.1h");
  EXPECT_EQ(merged({{"x", 1}, {"y", 2}, {"x", 1}}), "2 x 2 y");
  EXPECT_EQ(merged({}), "");
}

TEST(PortableWrapTest, ShortLinesStayWhole) {
  EXPECT_EQ(wrapped("\tx + y <= 1"), "\tx + y <= 1\n");
  EXPECT_EQ(wrapped("End"), "End\n");
  EXPECT_EQ(wrapped(""), "\n");
  const std::string limit = "\t" + std::string(kPortableLineLimit - 1, 'x');
  EXPECT_EQ(wrapped(limit), limit + "\n");
}

// Long lines of terms with names of many lengths, ending in a relation
// whose right-hand side is negative.
TEST(PortableWrapTest, BreaksGreedilyBeforeSignsAndKeepsTheRelationWithTheLastTerm) {
  for (size_t nameLength : {1u, 7u, 60u, 200u, 255u}) {
    std::string line = "\t" + std::string(nameLength, 'a');
    for (int i = 0; i < 40; ++i) {
      line += (i % 3 == 0 ? " - 2 " : " + ") + std::string(nameLength, static_cast<char>('b' + i % 20));
    }
    line += " >= -1";
    const std::string out = wrapped(line);
    const std::vector<std::string> lines = linesOf(out);
    ASSERT_FALSE(lines.empty());
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& piece = lines[i];
      EXPECT_LE(piece.size(), kPortableLineLimit) << nameLength;
      if (i > 0) {
        ASSERT_GE(piece.size(), 3u);
        EXPECT_EQ(piece.substr(0, 1), "\t");
        EXPECT_TRUE(piece.compare(1, 2, "+ ") == 0 || piece.compare(1, 2, "- ") == 0) << piece;
        joined += " " + piece.substr(1);
        // Greedy: the next term would not have fit on the line before.
        const size_t termEnd =
            std::min({piece.find(" + ", 1), piece.find(" - ", 1), piece.size()});
        EXPECT_GT(lines[i - 1].size() + termEnd, kPortableLineLimit);
      } else {
        joined = piece;
      }
    }
    EXPECT_EQ(joined, line);
    EXPECT_EQ(lines.back().substr(lines.back().size() - 6), " >= -1");
    EXPECT_EQ(lines.size() > 1, line.size() > kPortableLineLimit);
  }
}

TEST(PortableWrapTest, APieceTooLongForTheLimitStaysWhole) {
  const std::string huge(600, 'h');
  EXPECT_EQ(wrapped("\t" + huge + " + b <= 1"), "\t" + huge + "\n\t+ b <= 1\n");
  EXPECT_EQ(wrapped("\t" + huge), "\t" + huge + "\n");
}

}  // namespace
}  // namespace paralog
