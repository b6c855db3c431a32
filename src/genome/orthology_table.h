#ifndef PARALOG_GENOME_ORTHOLOGY_TABLE_H
#define PARALOG_GENOME_ORTHOLOGY_TABLE_H

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace paralog {

// Gene families as orthology tools write them, told apart by the header:
//   proteinortho (*.proteinortho.tsv): "# Species<TAB>Genes<TAB>Alg.-Conn.<TAB><file>..."
//     then one family per line, genes of a column separated by ",", "*" for none;
//   OrthoFinder (Orthogroups.tsv): "Orthogroup<TAB><species>...", genes of a
//     cell separated by ", "; or its hierarchical orthogroups (N0.tsv):
//     "HOG<TAB>OG<TAB>Gene Tree Parent Clade<TAB><species>...";
//   Roary (gene_presence_absence.csv): quoted CSV, "Gene", ..., "No. isolates",
//     and 14 columns before the genomes'; paralogs of a cell separated by tabs
//     (or ";");
//   Panaroo (gene_presence_absence.csv): CSV "Gene,Non-unique Gene name,
//     Annotation" before the genomes', paralogs of a cell separated by ";".

/// The tool whose layout a table has.
enum class OrthologyLayout { kProteinortho, kOrthoFinder, kRoary, kPanaroo };

/// One family: the table's name for it and the identifiers of its genes.
struct OrthologyFamily {
  std::string name;  ///< the group's name (OrthoFinder, Roary, Panaroo) or "PO<n>" (proteinortho)
  size_t line = 0;   ///< its line in the table
  std::vector<std::string> members;  ///< in table order, as written
  std::vector<size_t> memberColumns;  ///< the column of each member
};

/// The families of one table, in table order; owns everything.
struct OrthologyTable {
  OrthologyLayout layout = OrthologyLayout::kProteinortho;
  std::string sourceName;
  std::vector<std::string> columnNames;  ///< the header's fields (a genome's column: its file or species)
  std::vector<OrthologyFamily> families;
};

/// "proteinortho", "OrthoFinder", "Roary" or "Panaroo", for messages.
const char* layoutLabel(OrthologyLayout layout);

/// Reads a table from `in`, line by line, in time linear in its size.
/// Throws std::runtime_error("<sourceName>:<line>: ...") when the header is
/// none of the layouts above, or a line has more columns than the header.
OrthologyTable readOrthologyTable(std::istream& in, const std::string& sourceName);

}  // namespace paralog

#endif  // PARALOG_GENOME_ORTHOLOGY_TABLE_H
