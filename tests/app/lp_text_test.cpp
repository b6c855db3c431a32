// The in-memory path from input text to LP text: it writes what a run of
// the program writes, and refuses what a run refuses.

#include "support/lp_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "genome/token_cursor.h"
#include "support/quiet_stdout.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using testutil::QuietStdout;

std::string errorOf(const std::string& text) {
  try {
    lpTextFromInput(text, "in.txt");
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

TEST(LpTextTest, WritesWhatTheProgramWrites) {
  // The program canonicalises on a second thread and writes through a file;
  // the in-memory path must not differ by a byte.
  for (const char* example : {"examples/two-genomes.txt", "examples/worked-example.txt"}) {
    const std::string text = testutil::readFile(testutil::sourcePath(example));
    testutil::TempDirectory directory;
    directory.write("in.txt", text);
    const testutil::ProgramRun run =
        testutil::runExecutable(directory.path(), {"-i", "in.txt", "-o", "out.lp"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;

    const QuietStdout quiet;
    EXPECT_EQ(lpTextFromInput(text, "in.txt"), directory.read("out.lp")) << example;
    EXPECT_EQ(quiet.text(),
              "Calculating Z variables\nCalculating T variables\nCalculating U variables\n"
              "Calculating P variables\nCalculating R variables\nCalculating L variables\n"
              "Calculating O variables\nWriting ilp task to file...\n");
  }
}

TEST(LpTextTest, WritesTheHandDerivedFiles) {
  const QuietStdout quiet;
  for (const char* name : {"paralogs_circular", "third_structure", "worked_example"}) {
    const std::string base = testutil::sourcePath("tests/data/golden/") + name;
    EXPECT_EQ(lpTextFromInput(testutil::readFile(base + ".txt"), "in.txt"),
              testutil::readFile(base + ".lp"))
        << name;
  }
}

TEST(LpTextTest, RefusesWhatARunRefuses) {
  EXPECT_EQ(errorOf("0\n1\nA 0 : 1 :\nL 1 : +a.1;\n"), "in.txt: found 1 structure; two are needed");
  EXPECT_EQ(errorOf("0 0"), "in.txt: found 0 structures; two are needed");
  EXPECT_THAT(errorOf("0 2 A 0 : 1 : L 1 : +a.1; B 1 : 1 : L 1 : +b.1;"),
              HasSubstr("in.txt: 2 genes occur in only one of the compared genomes: in \"A\" only: "
                        "\"a\"; in \"B\" only: \"b\";"));
  EXPECT_EQ(errorOf("0 2 A 0 : 1 : L 1 : +a.1 B 1 : 1 : L 1 : +a.1;"),
            "in.txt:1: structure 1 (\"A\"), chromosome 1: the gene list \"+a.1\" does not end with "
            "\";\"");
}

TEST(LpTextTest, EveryProperPrefixOfAnInputIsRefused) {
  // However the file is cut short (inside a number, a name or a gene list,
  // or between items), something the counts promise is missing.
  const QuietStdout quiet;
  for (const char* example : {"examples/two-genomes.txt", "examples/worked-example.txt"}) {
    std::string text = testutil::readFile(testutil::sourcePath(example));
    while (!text.empty() && isWhiteSpace(text.back())) text.pop_back();
    ASSERT_NO_THROW(lpTextFromInput(text, "in.txt"));
    for (size_t length = 0; length < text.size(); ++length) {
      EXPECT_THROW(lpTextFromInput(text.substr(0, length), "in.txt"), std::runtime_error)
          << example << " cut after " << length << " bytes";
    }
  }
}

}  // namespace
}  // namespace paralog
