#ifndef PARALOG_GENOME_TOKEN_CURSOR_H
#define PARALOG_GENOME_TOKEN_CURSOR_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace paralog {

/// One item read from the input text: a view into that text and the line
/// (counted from 1) on which the item starts.
struct Token {
  std::string_view text;
  size_t line = 0;
};

/// Outcome of reading an integer item.
enum class IntStatus {
  kOk,          ///< a value was read
  kEnd,         ///< only white space was left
  kNotANumber,  ///< the item does not start with an optionally signed digit run
  kOutOfRange,  ///< the digits do not fit a 32-bit signed integer
};

/// Result of `TokenCursor::integer`: the value (when kOk) and the item it
/// came from (for messages: the digits read, or the word found instead).
struct IntToken {
  IntStatus status = IntStatus::kEnd;
  int32_t value = 0;
  Token token;
};

/// Reads whitespace-separated items from a text held in memory, keeping
/// track of line numbers so that errors can say where they are.
///
/// Every read first skips white space (blank, tab, line feed, carriage
/// return, vertical tab, form feed). The three kinds of item follow the way
/// formatted stream extraction reads them:
///  - integer: optional sign and decimal digits, read as far as the digits
///    go; a non-digit right after them is left for the next read;
///  - word: a run of non-white characters;
///  - character: the next single non-white character.
/// The cursor neither owns nor copies the text: it must outlive the cursor
/// and every token taken from it.
class TokenCursor {
 public:
  /// `sourceName` names the text in error messages (usually a file path).
  TokenCursor(std::string_view text, std::string sourceName);

  /// Returns a word, or a token with empty text at the end of the input.
  Token word();
  /// Returns one character as a one-byte token, or empty text at the end.
  Token character();
  /// Reads an integer. On kNotANumber the token is the word found instead
  /// and nothing is consumed; on kOutOfRange the token holds the digits,
  /// which are consumed.
  IntToken integer();

  /// Line of the last item read (1 before the first read); used to say
  /// where the input ended when it ends early.
  size_t lastLine() const { return lastLine_; }
  const std::string& sourceName() const { return sourceName_; }

  /// Throws std::runtime_error with the text "<source>:<line>: <message>".
  [[noreturn]] void fail(size_t line, const std::string& message) const;

 private:
  void skipWhiteSpace();
  std::string_view peekWord() const;

  std::string_view text_;
  std::string sourceName_;
  size_t pos_ = 0;
  size_t line_ = 1;
  size_t lastLine_ = 1;
};

/// True for the characters that separate items.
constexpr bool isWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace paralog

#endif  // PARALOG_GENOME_TOKEN_CURSOR_H
