#include "report/genome_listing.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

namespace paralog {
namespace {

std::string_view formatName(InputFormat format) {
  switch (format) {
    case InputFormat::kNative: return "native";
    case InputFormat::kUnimog: return "unimog";
    case InputFormat::kGrimm: return "grimm";
    case InputFormat::kGff: return "gff";
  }
  return "native";
}

void appendEscaped(std::string& text, std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
  }
}

// The length of the valid UTF-8 sequence at the start of `bytes` (no
// overlong forms, no surrogates, nothing past U+10FFFF) and its code
// point; length 0 when the first byte starts none.
std::pair<size_t, char32_t> utf8Sequence(std::string_view bytes) {
  const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4                  ? 4
                                                                        : 0;
  if (length == 0 || length > bytes.size()) return {0, 0};
  char32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    point = (point << 6) | (byte(i) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {0, 0};
  return {length, point};
}

// A name as a field of the listing: control characters (C0, DEL and the
// C1 range U+0080..U+009F, which terminals read as escapes) and bytes that
// are not valid UTF-8 written as \xNN per byte, as messages write them;
// every other character, letters beyond ASCII among them, as it is.
std::string fieldText(std::string_view name) {
  std::string text;
  for (size_t at = 0; at < name.size();) {
    const auto [length, point] = utf8Sequence(name.substr(at));
    const bool control = point < 0x20 || (point >= 0x7F && point <= 0x9F);
    if (length == 0 || control) {
      appendEscaped(text, name.substr(at, std::max<size_t>(length, 1)));
      at += std::max<size_t>(length, 1);
    } else {
      text += name.substr(at, length);
      at += length;
    }
  }
  return text;
}

size_t distinctCopies(const Structure& structure) {
  size_t count = 0;
  for (const auto& [name, indices] : structure.copies) {
    count += std::set<int32_t>(indices.begin(), indices.end()).size();
  }
  return count;
}

}  // namespace

std::string genomeListing(const std::vector<Structure>& structures, InputFormat format) {
  std::string listing;
  for (size_t i = 0; i < structures.size(); ++i) {
    const Structure& structure = structures[i];
    size_t circular = 0;
    for (const Chromosome& chromosome : structure.chromosomes) circular += chromosome.circular ? 1 : 0;
    listing += std::to_string(i + 1) + "\t" + fieldText(structure.name) + "\t";
    listing += std::string(formatName(format)) + "\t";
    listing += std::to_string(structure.chromosomes.size() - circular) + "\t" + std::to_string(circular) + "\t";
    listing += std::to_string(distinctCopies(structure)) + "\t" + std::to_string(structure.copies.size()) + "\n";
  }
  return listing;
}

}  // namespace paralog
