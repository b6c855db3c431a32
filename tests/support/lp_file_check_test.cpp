// The LP file checker must notice each fault it claims to look for;
// otherwise the property test and the fuzz target would pass vacuously.

#include "support/lp_file_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace paralog::testutil {
namespace {

using ::testing::HasSubstr;

// A small well-formed file in the layout the writer produces.
const std::string kGood =
    "Minimize\n"
    "\t- 2 z_a.1.1 + l_a.1h - r_0_a.1h + o_1_1 - 2 o_1_1\n"
    "\n"
    "Subject To\n"
    "\tz_a.1.1 <= 1\n"
    "\tl_a.1h - z_a.1.1 >= 0\n"
    "\n"
    "Bounds\n"
    "\t- u_1_a.1ha.1t >= -3\n"
    "\n"
    "\n"
    "Binary\n"
    "\tt_0_a.1ha.1t\n"
    "\tz_a.1.1\n"
    "\n"
    "General\n"
    "\tl_a.1h\n"
    "\to_1_1\n"
    "\tr_0_a.1h\n"
    "\tu_1_a.1ha.1t\n"
    "\n"
    "End";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(LpFileCheckTest, AcceptsAWellFormedFile) {
  EXPECT_EQ(lpFileProblem(kGood), "");
  EXPECT_EQ(lpFileProblem("Minimize\n\t\n\n\nBinary\n\nGeneral\n\nEnd"), "");
}

TEST(LpFileCheckTest, FindsLayoutFaults) {
  EXPECT_THAT(lpFileProblem(kGood + "\n"), HasSubstr("text follows \"End\""));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\nEnd", "\nend")), HasSubstr("expected \"End\""));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "Bounds\n\t- u_1_a.1ha.1t >= -3\n\n", "Bounds\n\n")),
              HasSubstr("section \"Bounds\" is empty"));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\n\nBinary", "\nBinary")),
              HasSubstr("line 11: expected \"\", found \"Binary\""));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tl_a.1h - z", "l_a.1h - z")),
              HasSubstr("line 6: expected \"\", found \"l_a.1h - z_a.1.1 >= 0\""));
}

TEST(LpFileCheckTest, FindsLinesOutOfCanonicalForm) {
  EXPECT_THAT(lpFileProblem(replaced(kGood, "l_a.1h - z_a.1.1 >= 0", "- z_a.1.1 + l_a.1h >= 0")),
              HasSubstr("renders as \"l_a.1h - z_a.1.1 >= 0\""));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "z_a.1.1 <= 1", "z_a.1.1 < 1")),
              HasSubstr("does not parse"));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "z_a.1.1 <= 1", "1 z_a.1.1 <= 1")),
              HasSubstr("renders as"));
}

TEST(LpFileCheckTest, FindsDeclarationFaults) {
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tr_0_a.1h\n", "")),
              HasSubstr("the objective uses the undeclared variable \"r_0_a.1h\""));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tu_1_a.1ha.1t\n", "")),
              HasSubstr("uses the undeclared variable \"u_1_a.1ha.1t\""));
  EXPECT_THAT(
      lpFileProblem(replaced(kGood, "\tt_0_a.1ha.1t\n\tz_a.1.1\n", "\tz_a.1.1\n\tt_0_a.1ha.1t\n")),
      HasSubstr("does not come after \"z_a.1.1\""));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tz_a.1.1\n", "\tz_a.1.1\n\tz_a.1.1\n")),
              HasSubstr("does not come after"));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tt_0_a.1ha.1t\n", "\tl_a.1h\n")),
              HasSubstr("no family prefix"));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tl_a.1h\n", "\tl_a.1h\n\tl_b:1h\n")),
              HasSubstr("holds a character names may not hold"));
  EXPECT_THAT(
      lpFileProblem(replaced(kGood, "\tt_0_a.1ha.1t\n", "\tt_0_" + std::string(252, 'a') + "\n")),
      HasSubstr("longer than 255 characters"));
  EXPECT_THAT(lpFileProblem(replaced(kGood, "\tt_0_a.1ha.1t\n\tz_a.1.1\n",
                                     "\tt_0_a.1ha.1t\n\tu_1_a.1ha.1t\n\tz_a.1.1\n")),
              HasSubstr("no family prefix"));
}

}  // namespace
}  // namespace paralog::testutil
