#ifndef PARALOG_GENOME_GENOME_H
#define PARALOG_GENOME_GENOME_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace paralog {

/// One signed copy of a gene at one position of a chromosome.
struct Gene {
  std::string name;   ///< shared by all copies (paralogs) of the gene
  int32_t index = 0;  ///< copy index telling this copy from the other copies
  int32_t sign = 1;   ///< -1 when written with a leading "-", else +1
};

/// One chromosome: linear or circular, with its gene copies in order.
struct Chromosome {
  bool circular = false;
  std::vector<Gene> genes;
};

/// Gene name -> copy indices of that name in order of appearance (repeats kept).
/// std::less<> allows lookups by std::string_view without building a string.
using CopyIndex = std::map<std::string, std::vector<int32_t>, std::less<>>;

/// One genome as read from the input file.
struct Structure {
  std::vector<Chromosome> chromosomes;
  CopyIndex copies;  ///< exactly the names and indices of the genes above
  int32_t id = 0;    ///< genome number used inside variable names
  /// First word of the structure's header; in UniMoG and GRIMM files the
  /// text after ">" on the genome's header line.
  std::string name;
  /// Gene names were escaped when read (UniMoG and GRIMM files); see
  /// genome/gene_name_escape.h for their original form.
  bool escapedNames = false;
};

}  // namespace paralog

#endif  // PARALOG_GENOME_GENOME_H
