#include "genome/token_cursor.h"

#include <stdexcept>
#include <utility>

namespace paralog {

TokenCursor::TokenCursor(std::string_view text, std::string sourceName)
    : text_(text), sourceName_(std::move(sourceName)) {}

void TokenCursor::skipWhiteSpace() {
  while (pos_ < text_.size() && isWhiteSpace(text_[pos_])) {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
}

std::string_view TokenCursor::peekWord() const {
  size_t end = pos_;
  while (end < text_.size() && !isWhiteSpace(text_[end])) ++end;
  return text_.substr(pos_, end - pos_);
}

Token TokenCursor::word() {
  skipWhiteSpace();
  if (pos_ == text_.size()) return Token{{}, line_};
  const std::string_view text = peekWord();
  pos_ += text.size();
  lastLine_ = line_;
  return Token{text, line_};
}

Token TokenCursor::character() {
  skipWhiteSpace();
  if (pos_ == text_.size()) return Token{{}, line_};
  lastLine_ = line_;
  return Token{text_.substr(pos_++, 1), line_};
}

IntToken TokenCursor::integer() {
  skipWhiteSpace();
  IntToken result;
  result.token.line = line_;
  if (pos_ == text_.size()) return result;
  size_t end = pos_;
  bool negative = false;
  if (text_[end] == '+' || text_[end] == '-') {
    negative = text_[end] == '-';
    ++end;
  }
  const size_t firstDigit = end;
  // Accumulate as a negative number so that INT32_MIN fits without overflow.
  int64_t value = 0;
  bool fits = true;
  while (end < text_.size() && text_[end] >= '0' && text_[end] <= '9') {
    if (fits) {
      value = value * 10 - (text_[end] - '0');
      if (value < int64_t{INT32_MIN}) fits = false;
    }
    ++end;
  }
  if (end == firstDigit) {
    result.status = IntStatus::kNotANumber;
    result.token.text = peekWord();
    return result;
  }
  if (!negative) value = -value;
  if (!fits || value > INT32_MAX) {
    result.status = IntStatus::kOutOfRange;
  } else {
    result.status = IntStatus::kOk;
    result.value = static_cast<int32_t>(value);
  }
  result.token.text = text_.substr(pos_, end - pos_);
  pos_ = end;
  lastLine_ = line_;
  return result;
}

void TokenCursor::fail(size_t line, const std::string& message) const {
  throw std::runtime_error(sourceName_ + ":" + std::to_string(line) + ": " + message);
}

}  // namespace paralog
