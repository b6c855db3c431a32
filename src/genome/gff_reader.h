#ifndef PARALOG_GENOME_GFF_READER_H
#define PARALOG_GENOME_GFF_READER_H

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace paralog {

// GFF3 annotation files: nine tab-separated columns per feature line
// (seqid, source, type, start, end, score, strand, phase, attributes);
// lines starting with "#" are comments or pragmas, "##FASTA" ends the
// features. Each sequence region (seqid) is one chromosome.

/// What to take from a GFF3 file.
struct GffChoices {
  std::string geneFeature = "gene";  ///< the feature type (column 3) read as a gene
  bool allCircular = false;          ///< every chromosome circular, whatever the file says
};

/// One gene feature: where it starts, its strand, and the names the
/// orthology table may call it by.
struct AnnotatedGene {
  int64_t start = 0;
  int32_t sign = 1;  ///< -1 on strand "-", else +1 ("+", "." and "?")
  size_t line = 0;   ///< the line of its first feature line
  /// Its ID, Name, locus_tag and protein_id values, then those of features
  /// whose Parent leads to it (the CDS of a gene, say), without repeats.
  std::vector<std::string> identifiers;
};

/// One sequence region with its genes in order of their start (equal
/// starts keep file order).
struct AnnotatedChromosome {
  std::string seqid;
  bool circular = false;  ///< its "region" line says Is_circular=true
  std::vector<AnnotatedGene> genes;
};

/// The genes of one GFF3 file; regions without genes are left out.
struct AnnotatedGenome {
  std::string name;        ///< the file name without directory and extension
  std::string sourceName;  ///< the file as messages name it
  std::vector<AnnotatedChromosome> chromosomes;
};

/// "a" for "dir/a.gff": the text after the last "/" up to its last ".".
std::string genomeNameOfPath(const std::string& path);

/// Reads one GFF3 file from `in`, line by line, in time linear in its size
/// (sorting aside). Feature lines of the gene type sharing an ID (a CDS in
/// several parts) are one gene starting at the smallest start. Throws
/// std::runtime_error("<sourceName>:<line>: ...") on a feature line without
/// nine columns, a start that is not a positive whole number, or a file
/// with no feature of the gene type.
AnnotatedGenome readGff(std::istream& in, const std::string& sourceName,
                        const GffChoices& choices);

}  // namespace paralog

#endif  // PARALOG_GENOME_GFF_READER_H
