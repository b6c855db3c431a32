#include "report/unimog_text.h"

#include "genome/gene_name_escape.h"

namespace paralog {

std::string unimogText(const std::vector<Structure>& structures) {
  std::string text;
  for (const Structure& structure : structures) {
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
