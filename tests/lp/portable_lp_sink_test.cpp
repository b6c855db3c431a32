#include "lp/portable_lp_sink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "lp/portable_line.h"

namespace paralog {
namespace {

std::string golden(const std::string& name) {
  std::ifstream in(std::string(PARALOG_SOURCE_DIR) + "/tests/data/golden/" + name,
                   std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Feeds `text` in pieces of random sizes (1 to `maxPiece` bytes).
std::string portable(const std::string& text, size_t maxPiece, unsigned seed) {
  std::string out;
  StringSink target(out);
  PortableLpSink sink(target);
  std::mt19937 random(seed);
  for (size_t at = 0; at < text.size();) {
    const size_t piece = std::min(text.size() - at, 1 + random() % maxPiece);
    sink.write(std::string_view(text).substr(at, piece));
    at += piece;
  }
  sink.finish();
  return out;
}

TEST(PortableLpSinkTest, ChangesOnlyTheObjectiveLongLinesAndTheEnd) {
  const std::string lp = golden("paralogs_circular.lp");
  const size_t objectiveEnd = lp.find('\n', lp.find('\n') + 1);
  std::string expected = lp.substr(0, objectiveEnd);
  const size_t o = expected.find(" + o_1_0 - 2 o_1_0");
  ASSERT_NE(o, std::string::npos);
  expected.replace(o, std::string::npos, " - o_1_0");
  expected += lp.substr(objectiveEnd) + "\n";
  EXPECT_EQ(portable(lp, 1 << 20, 1), expected);
}

TEST(PortableLpSinkTest, GivesTheSameBytesWhateverPiecesTheTextComesIn) {
  // A body line longer than the limit amid short ones, and an objective
  // that must be both merged and broken.
  std::string objective = "\t";
  for (int i = 0; i < 60; ++i) objective += "- 2 z_gene" + std::to_string(i) + ".1.1 ";
  objective += "+ o_1_0 - 3 o_1_0";
  std::string longLine = "\t";
  for (int i = 0; i < 50; ++i) longLine += "t_1_a" + std::to_string(i) + "hb.1t + ";
  longLine += "z_a.1.1 <= 1";
  const std::string lp = "Minimize\n" + objective + "\n\nSubject To\n\tx <= 1\n" + longLine +
                         "\n\ty + z >= 0\n\nEnd";
  const std::string whole = portable(lp, lp.size(), 0);
  EXPECT_NE(whole.find("- 2 o_1_0\n\nSubject To"), std::string::npos) << whole;
  EXPECT_EQ(whole.substr(whole.size() - 4), "End\n");
  for (unsigned seed = 0; seed < 20; ++seed) {
    EXPECT_EQ(portable(lp, 1 + seed * 7, seed), whole) << seed;
  }
  std::string reference;
  for (size_t start = 0, end; start < lp.size(); start = end + 1) {
    end = std::min(lp.find('\n', start), lp.size());
    std::string line = lp.substr(start, end - start);
    if (start == 9) {
      line.clear();
      appendMergedObjective(lp.substr(start, end - start), line);
    }
    appendWrappedLine(line, reference);
  }
  EXPECT_EQ(whole, reference);
}

}  // namespace
}  // namespace paralog
