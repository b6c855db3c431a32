#include "genome/marked_item_cursor.h"

#include "genome/token_cursor.h"

namespace paralog {

void MarkedItemCursor::skipToLineEnd() {
  while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
}

std::optional<MarkedItem> MarkedItemCursor::next() {
  for (;;) {
    while (pos_ < text_.size() && isWhiteSpace(text_[pos_])) {
      if (text_[pos_] == '\n') {
        ++line_;
        atLineStart_ = true;
      }
      ++pos_;
    }
    if (pos_ == text_.size()) return std::nullopt;
    const char first = text_[pos_];
    if (first == '#') {
      skipToLineEnd();
      continue;
    }
    MarkedItem item;
    item.line = line_;
    lastLine_ = line_;
    if (first == '>' && atLineStart_) {
      const size_t start = ++pos_;
      skipToLineEnd();
      size_t end = pos_;
      std::string_view rest = text_.substr(start, end - start);
      while (!rest.empty() && isWhiteSpace(rest.front())) rest.remove_prefix(1);
      while (!rest.empty() && isWhiteSpace(rest.back())) rest.remove_suffix(1);
      item.kind = MarkedItem::Kind::kHeader;
      item.text = rest;
      return item;
    }
    atLineStart_ = false;
    const size_t start = pos_;
    while (pos_ < text_.size() && !isWhiteSpace(text_[pos_])) ++pos_;
    item.kind = MarkedItem::Kind::kWord;
    item.text = text_.substr(start, pos_ - start);
    return item;
  }
}

}  // namespace paralog
