#include "genome/token_cursor.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace paralog {
namespace {

TEST(TokenCursorTest, IntegerStopsAtTheFirstNonDigit) {
  TokenCursor in("12:x -3abc +4", "f");
  IntToken first = in.integer();
  EXPECT_EQ(first.status, IntStatus::kOk);
  EXPECT_EQ(first.value, 12);
  EXPECT_EQ(first.token.text, "12");
  EXPECT_EQ(in.character().text, ":");
  EXPECT_EQ(in.word().text, "x");
  EXPECT_EQ(in.integer().value, -3);
  EXPECT_EQ(in.word().text, "abc");
  EXPECT_EQ(in.integer().value, 4);
  EXPECT_EQ(in.integer().status, IntStatus::kEnd);
}

TEST(TokenCursorTest, NotANumberLeavesTheWordInPlace) {
  TokenCursor in("  abc 1", "f");
  const IntToken item = in.integer();
  EXPECT_EQ(item.status, IntStatus::kNotANumber);
  EXPECT_EQ(item.token.text, "abc");
  EXPECT_EQ(in.word().text, "abc");
  for (const char* text : {"-", "+", "+-1", "-x", "."}) {
    TokenCursor other(text, "f");
    EXPECT_EQ(other.integer().status, IntStatus::kNotANumber) << text;
  }
}

TEST(TokenCursorTest, IntegerLimits) {
  TokenCursor in("2147483647 -2147483648 2147483648 -2147483649 99999999999999999999999x", "f");
  EXPECT_EQ(in.integer().value, 2147483647);
  EXPECT_EQ(in.integer().value, INT32_MIN);
  const IntToken tooBig = in.integer();
  EXPECT_EQ(tooBig.status, IntStatus::kOutOfRange);
  EXPECT_EQ(tooBig.token.text, "2147483648");
  EXPECT_EQ(in.integer().status, IntStatus::kOutOfRange);
  EXPECT_EQ(in.integer().status, IntStatus::kOutOfRange);
  // The digits were consumed; what follows them is next.
  EXPECT_EQ(in.character().text, "x");
}

TEST(TokenCursorTest, CharacterTakesOneNonWhiteByte) {
  TokenCursor in(" \t:1\n;", "f");
  EXPECT_EQ(in.character().text, ":");
  EXPECT_EQ(in.character().text, "1");
  EXPECT_EQ(in.character().text, ";");
  EXPECT_TRUE(in.character().text.empty());
  EXPECT_TRUE(in.word().text.empty());
}

TEST(TokenCursorTest, TracksLines) {
  TokenCursor in("a\nb\r\n\n  c\n\n", "file.txt");
  EXPECT_EQ(in.word().line, 1u);
  EXPECT_EQ(in.word().line, 2u);
  const Token c = in.word();
  EXPECT_EQ(c.text, "c");
  EXPECT_EQ(c.line, 4u);
  EXPECT_EQ(in.lastLine(), 4u);
  EXPECT_TRUE(in.word().text.empty());
  // At the end, the last item's line is where the input stopped.
  EXPECT_EQ(in.lastLine(), 4u);
  try {
    in.fail(4, "something");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "file.txt:4: something");
  }
}

TEST(TokenCursorTest, VerticalTabAndFormFeedAreWhiteSpace) {
  TokenCursor in("\v\fa\fb", "f");
  EXPECT_EQ(in.word().text, "a");
  EXPECT_EQ(in.word().text, "b");
}

}  // namespace
}  // namespace paralog
