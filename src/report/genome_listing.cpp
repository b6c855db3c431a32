#include "report/genome_listing.h"

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

std::string fieldText(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    } else {
      text += c;
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
