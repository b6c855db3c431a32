#include "genome/input_format.h"

#include "common/to_int.h"
#include "genome/marked_item_cursor.h"
#include "genome/token_cursor.h"

namespace paralog {

std::optional<InputFormat> parseInputFormat(std::string_view name) {
  if (name == "native") return InputFormat::kNative;
  if (name == "unimog") return InputFormat::kUnimog;
  if (name == "grimm") return InputFormat::kGrimm;
  if (name == "gff") return InputFormat::kGff;
  return std::nullopt;
}

std::string_view formatLabel(InputFormat format) {
  switch (format) {
    case InputFormat::kNative:
      return "native";
    case InputFormat::kUnimog:
      return "UniMoG";
    case InputFormat::kGrimm:
      return "GRIMM";
    case InputFormat::kGff:
      return "GFF3";
  }
  return "unknown";
}

namespace {

// A native file starts with its paralog table's row count.
bool startsLikeNative(const MarkedItem& first) {
  return first.kind == MarkedItem::Kind::kWord && toInt(first.text).has_value();
}

}  // namespace

InputFormat detectInputFormat(std::string_view text) {
  MarkedItemCursor items(text);
  std::optional<MarkedItem> item = items.next();
  if (!item || startsLikeNative(*item)) return InputFormat::kNative;
  // A word first (a gene before the first header) is still read as UniMoG
  // or GRIMM when a header follows, so that the reader says what is wrong.
  bool headerSeen = false;
  for (; item; item = items.next()) {
    if (item->kind == MarkedItem::Kind::kHeader) {
      headerSeen = true;
      continue;
    }
    if (!headerSeen) continue;
    const char last = item->text.back();
    if (last == '|' || last == ')') return InputFormat::kUnimog;
    if (last == '$' || last == '@') return InputFormat::kGrimm;
  }
  return headerSeen ? InputFormat::kUnimog : InputFormat::kNative;
}

}  // namespace paralog
