#ifndef PARALOG_GENOME_MARKED_ITEM_CURSOR_H
#define PARALOG_GENOME_MARKED_ITEM_CURSOR_H

#include <cstddef>
#include <optional>
#include <string_view>

namespace paralog {

/// One item of a UniMoG or GRIMM file: a genome header or a word.
struct MarkedItem {
  enum class Kind {
    kHeader,  ///< a line whose first non-white character is ">"; text: the
              ///< rest of the line without its surrounding white space
    kWord,    ///< a run of non-white characters on any other line
  };
  Kind kind = Kind::kWord;
  std::string_view text;
  size_t line = 0;  ///< counted from 1
};

/// Splits the text of a UniMoG or GRIMM file into headers and words,
/// skipping white space, blank lines and comments: a word that begins with
/// "#" starts a comment that runs to the end of its line. Line ends are
/// "\n"; other white space is as in isWhiteSpace (genome/token_cursor.h).
/// The cursor neither owns nor copies the text: it must outlive the cursor
/// and every item taken from it.
class MarkedItemCursor {
 public:
  explicit MarkedItemCursor(std::string_view text) : text_(text) {}

  /// The next item, or nothing at the end of the text.
  std::optional<MarkedItem> next();
  /// The line of the last item returned (1 before the first).
  size_t lastLine() const { return lastLine_; }

 private:
  void skipToLineEnd();

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 1;
  size_t lastLine_ = 1;
  bool atLineStart_ = true;  // only white space since the last line end
};

}  // namespace paralog

#endif  // PARALOG_GENOME_MARKED_ITEM_CURSOR_H
