#include "report/unimog_text.h"

#include <stdexcept>
#include <string_view>

#include "genome/gene_name_escape.h"
#include "genome/quoted.h"

namespace paralog {
namespace {

// A UniMoG reader takes a word starting with "#" for a comment, a leading
// "-" or "+" for a sign, ">" at a line start for a header and a last "|"
// or ")" for a chromosome end.
bool readsBackAsWritten(std::string_view name) {
  if (name.empty() || name.find_first_of(" \t\r\n\v\f") != std::string_view::npos) return false;
  return std::string_view("#-+>").find(name.front()) == std::string_view::npos &&
         name.back() != '|' && name.back() != ')';
}

}  // namespace

std::string unimogText(const std::vector<Structure>& structures) {
  std::string text;
  for (const Structure& structure : structures) {
    for (const auto& [name, indices] : structure.copies) {
      const std::string original = originalGeneName(structure, name);
      if (!readsBackAsWritten(original)) {
        throw std::runtime_error("cannot write the genomes as UniMoG: the gene name " + quoted(original) +
                                 " of " + quoted(structure.name) + " would not read back as written");
      }
    }
    text += ">" + structure.name + "\n";
    for (const Chromosome& chromosome : structure.chromosomes) {
      for (const Gene& gene : chromosome.genes) {
        if (gene.sign < 0) text += '-';
        text += originalGeneName(structure, gene.name);
        text += ' ';
      }
      text += chromosome.circular ? ")\n" : "|\n";
    }
  }
  return text;
}

}  // namespace paralog
