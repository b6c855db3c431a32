#ifndef PARALOG_GENOME_ANNOTATED_GENOMES_H
#define PARALOG_GENOME_ANNOTATED_GENOMES_H

#include <vector>

#include "genome/gene_lines.h"
#include "genome/gff_reader.h"
#include "genome/orthology_table.h"

namespace paralog {

// Turns annotated genomes and an orthology table into the structures the
// program compares. A table's gene is a gene whose ID, Name, locus_tag or
// protein_id (or a child feature's) is the table's text, or its first word,
// or the text without Panaroo's "_stop"/"_len" mark: in the genome its
// column is headed by ("alpha" or "alpha.faa" for alpha.gff; else the one
// genome of all the column's genes found in one file only), else in
// exactly one file; every such gene of that file (one RefSeq protein on two
// loci) is in the family. Panaroo's refound genes ("*_refound_*") have no
// feature and are left out. The genes of one family share the family's gene name, so that several of
// them in one genome are copies (paralogs) of it; a gene in no family is a
// family of its own.
//
// Gene names hold only ASCII letters, digits and "_", valid in every LP
// reader's names and in UniMoG words: every other byte of the source name
// becomes "_". The source names are the table's group names (OrthoFinder's
// orthogroup, Roary's and Panaroo's "Gene"; "PO<n>" for the n-th family of
// a proteinortho table), then, for a gene in no family, its first
// identifier (ID, Name, locus_tag, protein_id; "<seqid>_<start>" without
// any). A name already given gets "_2", "_3", ... appended, families first
// in table order, then lone genes in genome and position order.

/// The structures of `genomes`, in their order (ids 1, 2, ...), with the
/// line of every gene in its file. Throws std::runtime_error("<table>:<line>:
/// ...") for a table gene no annotation has, one whose identifier names
/// genes of two files that its column does not tell apart, and a gene
/// listed in two families.
StructuresRead structuresOfAnnotations(const std::vector<AnnotatedGenome>& genomes,
                                       const OrthologyTable& table);

}  // namespace paralog

#endif  // PARALOG_GENOME_ANNOTATED_GENOMES_H
