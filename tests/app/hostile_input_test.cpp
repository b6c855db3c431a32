// Whole-program runs on broken and hostile input files. Each must end with
// exactly one "error: " line in printable ASCII and of bounded length
// (whatever bytes the input holds), status 1, an existing output file
// untouched and no output file created.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "genome/token_cursor.h"
#include "support/failing_run.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::HasSubstr;
using testutil::errorOf;
using testutil::FailingRun;

constexpr const char* kValid =
    "1\na 2\n2\nfirst 0 : 1 :\nL 2 : +a.1-b.1;\nsecond 1 : 1 :\nC 2 : +b.1+a.1;\n";

// Which output paths a refused run is tried with.
enum class Outputs { kBoth, kExistingOnly, kFreshOnly };

// Runs the program on `input` over an existing out.lp and with a fresh
// output path new.lp, checks that the runs fail alike and leave nothing
// behind, and returns the error text with the input's path cut to "in.txt".
std::string refusal(const std::string& input, Outputs outputs = Outputs::kBoth) {
  const FailingRun setup(input);
  std::vector<std::string> errors;
  if (outputs != Outputs::kFreshOnly) {
    errors.push_back(errorOf(setup.run({"-i", "in.txt", "-o", "out.lp"}), 1));
  }
  if (outputs != Outputs::kExistingOnly) {
    errors.push_back(errorOf(setup.run({"-i", "in.txt", "-o", "new.lp"}), 1));
  }
  setup.expectUntouched();

  const std::string& error = errors.front();
  EXPECT_EQ(errors.back(), error);
  EXPECT_LT(error.size(), 1000u) << "an error line that long is unreadable";
  EXPECT_TRUE(std::all_of(error.begin(), error.end(), [](char c) { return c >= 0x20 && c < 0x7f; }))
      << "bytes outside printable ASCII in the error line: " << error;
  const std::string path = setup.directory.file("in.txt");
  return error.compare(0, path.size(), path) == 0 ? "in.txt" + error.substr(path.size()) : error;
}

TEST(HostileInputTest, EmptyOrWhiteSpaceOnly) {
  EXPECT_EQ(refusal(""), "in.txt:1: paralog table: the file ends before the number of rows");
  EXPECT_EQ(refusal(" \t\r\n\v\f\n\n  "),
            "in.txt:1: paralog table: the file ends before the number of rows");
}

TEST(HostileInputTest, ValidFileCutAfterEachOfItsItems) {
  // Wherever the file ends between items, something its counts promise is
  // missing; the error names it.
  const std::string text = kValid;
  size_t items = 0;
  for (size_t end = 0; end < text.size(); ++end) {
    if (isWhiteSpace(text[end]) || !isWhiteSpace(text[end + 1])) continue;
    if (end + 1 == text.size() - 1) break;  // the whole file
    ++items;
    const Outputs outputs = items % 2 == 0 ? Outputs::kExistingOnly : Outputs::kFreshOnly;
    EXPECT_THAT(refusal(text.substr(0, end + 1), outputs), HasSubstr(": the file ends before "))
        << "cut after " << end + 1 << " bytes";
  }
  EXPECT_EQ(items, 21u);
}

TEST(HostileInputTest, BinaryGarbageAndNulBytes) {
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>(random() & 0xff);
  EXPECT_THAT(refusal(garbage), HasSubstr("expected the number of rows, found \""));

  EXPECT_EQ(refusal(std::string(64, '\0')),
            "in.txt:1: paralog table: expected the number of rows, found \"\\x00\\x00\\x00\\x00"
            "\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00"
            "\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00"
            "\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00"
            "\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\"");
  // A NUL byte right after a count, or inside a gene name.
  EXPECT_EQ(refusal(std::string("0\n2\0\nfirst 0 : 1 :\nL 1 : +a.1;\n", 27)),
            "in.txt:3: structure 1 (\"\\x00\"): expected the id, found \"first\"");
  EXPECT_EQ(refusal(std::string("0 2 A 0 : 1 : L 1 : +a\0b.1; B 1 : 1 : L 1 : +a.1;", 47)),
            "in.txt:1: structure 1 (\"A\"), chromosome 1: gene name \"a\\x00b\" in token "
            "\"+a\\x00b.1\" holds \"\\x00\", a character not allowed in names of the LP file");
  // A text in UTF-16 is full of NUL bytes.
  const std::string utf16(
      "\xFF\xFE"
      "0\0\n\0"
      "2\0\n\0",
      10);
  EXPECT_EQ(refusal(utf16),
            "in.txt:1: paralog table: expected the number of rows, found "
            "\"\\xFF\\xFE0\\x00\"");
}

TEST(HostileInputTest, MegabyteGeneListWithoutSemicolon) {
  std::string list;
  while (list.size() < (1 << 20)) list += "+a.1";
  EXPECT_THAT(refusal("0 2 A 0 : 1 : L 1 : " + list + " B 1 : 1 : L 1 : +a.1;"),
              HasSubstr("in.txt:1: structure 1 (\"A\"), chromosome 1: the gene list \"+a.1+a.1"));
}

TEST(HostileInputTest, HugeCountsBeforeAnEarlyEnd) {
  // Counts are never trusted to reserve memory; the file simply ends early.
  EXPECT_EQ(refusal("2147483647\na 1\nb 2\n"),
            "in.txt:3: paralog table, row 3: the file ends before the gene name");
  EXPECT_EQ(refusal("0\n2147483647\nA 0 : 1 :\nL 1 : +a.1;\nB 1 : 1 :\nL 1 : +a.1;\n"),
            "in.txt:6: structure 3: the file ends before the structure's name");
  EXPECT_EQ(refusal("0\n2\nA 0 : 2147483647 :\nL 1 : +a.1;\n"),
            "in.txt:4: structure 1 (\"A\"), chromosome 2: the file ends before the chromosome "
            "type");
}

TEST(HostileInputTest, NegativeCounts) {
  EXPECT_EQ(refusal("-1\n"),
            "in.txt:1: paralog table: the number of rows must not be negative, found -1");
  EXPECT_EQ(refusal("0\n-1\n"),
            "in.txt:2: structure list: the number of structures must not be negative, found -1");
  EXPECT_EQ(refusal("0\n2\nA 0 : -1 :\n"),
            "in.txt:3: structure 1 (\"A\"): the number of chromosomes must not be negative, "
            "found -1");
  EXPECT_EQ(refusal("0\n2\nA 0 : 1 :\nL -1 : +a.1;\n"),
            "in.txt:4: structure 1 (\"A\"), chromosome 1: the gene count must not be negative, "
            "found -1");
}

TEST(HostileInputTest, GeneNameOfTenThousandCharacters) {
  const std::string name(10000, 'g');
  EXPECT_EQ(refusal("0 2\nA 0 : 1 :\nL 1 : +" + name + ".1;\nB 1 : 1 :\nL 1 : +" + name + ".1;\n"),
            "in.txt:3: structure 1 (\"A\"), chromosome 1: gene \"" + std::string(300, 'g') +
                "...\" with copy index 1 gives variable names of 20010 characters; LP readers "
                "accept at most 255");
}

TEST(HostileInputTest, InvalidUtf8) {
  const auto geneNamed = [](const std::string& name) {
    return "0 2\nA 0 : 1 :\nL 1 : +" + name + ".1;\nB 1 : 1 :\nL 1 : +a.1;\n";
  };
  // A stray continuation byte, a truncated sequence, an overlong "/", a
  // byte that never occurs in UTF-8, and a surrogate.
  for (const std::string name : {"a\x80", "a\xC3", "a\xC0\xAF", "a\xFF", "a\xED\xA0\x80"}) {
    EXPECT_THAT(refusal(geneNamed(name)),
                HasSubstr("a character not allowed in names of the LP file"));
  }
  // A byte-order mark in front of the first count.
  EXPECT_EQ(refusal(std::string("\xEF\xBB\xBF") + kValid),
            "in.txt:1: paralog table: expected the number of rows, found \"\\xEF\\xBB\\xBF1\"");
  // Invalid bytes in a name that never reaches the LP file are shown escaped
  // when a later fault is reported.
  EXPECT_EQ(refusal("0 2\nst\xFE\xFF 0 : 1 :\nL 1 : +a.1\n"),
            "in.txt:3: structure 1 (\"st\\xFE\\xFF\"), chromosome 1: the gene list \"+a.1\" does "
            "not end with \";\"");
}

}  // namespace
}  // namespace paralog
