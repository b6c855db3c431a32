// Escaping gene names of UniMoG and GRIMM files into LP name characters,
// and decoding them back for the user.

#include "genome/gene_name_escape.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace paralog {
namespace {

TEST(GeneNameEscapeTest, EscapesOnlyWhatNamesCannotHoldAndDecodesBack) {
  EXPECT_EQ(escapeGeneName("dnaA"), "dnaA");
  EXPECT_EQ(escapeGeneName("rpl(2)_x|y"), "rpl(2)_x|y");
  EXPECT_EQ(escapeGeneName("tRNA-Leu"), "tRNA~2DLeu");
  EXPECT_EQ(escapeGeneName("AT1G01010.1"), "AT1G01010~2E1");
  EXPECT_EQ(escapeGeneName("a~2D"), "a~7E2D");
  EXPECT_EQ(escapeGeneName("caf\xC3\xA9"), "caf~C3~A9");
  EXPECT_EQ(escapeGeneName(std::string("a\0b", 3)), "a~00b");

  // Names that differ only where escapes come in stay different, and every
  // name decodes back to itself, every byte value included.
  std::vector<std::string> names = {"a-b", "a~2Db", "a.b", "a~b", "a~", "~", "a+b", "a b"};
  for (int byte = 0; byte < 256; ++byte) names.push_back("x" + std::string(1, char(byte)) + "y");
  std::set<std::string> escaped;
  for (const std::string& name : names) {
    const std::string once = escapeGeneName(name);
    EXPECT_TRUE(escaped.insert(once).second) << name;
    EXPECT_EQ(decodeGeneName(once), name);
  }

  // Only structures read with escaped names are decoded.
  Structure native;
  Structure unimog;
  unimog.escapedNames = true;
  EXPECT_EQ(originalGeneName(native, "a~2Db"), "a~2Db");
  EXPECT_EQ(originalGeneName(unimog, "a~2Db"), "a-b");
  EXPECT_EQ(decodeGeneName("a~2"), "a~2");
}

}  // namespace
}  // namespace paralog
