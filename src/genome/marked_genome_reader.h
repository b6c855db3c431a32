#ifndef PARALOG_GENOME_MARKED_GENOME_READER_H
#define PARALOG_GENOME_MARKED_GENOME_READER_H

#include <string>
#include <string_view>
#include <vector>

#include "genome/gene_lines.h"
#include "genome/genome.h"

namespace paralog {

/// What sets one ">"-headed genome format apart from another: the
/// characters that close a linear and a circular chromosome.
struct ChromosomeEndMarkers {
  std::string_view formatLabel;  ///< "UniMoG" or "GRIMM", for messages
  char linear;
  char circular;
};

// Reader shared by the UniMoG and GRIMM formats, which differ only in their
// chromosome ends:
//
//   file       = { header { chromosome } }
//   header     = a line whose first non-white character is ">"; the rest of
//                the line, without surrounding white space, names the genome
//   chromosome = gene { gene } end
//   gene       = a word: an optional sign ("-" reverse, "+" forward) and a
//                non-empty name of any non-white bytes
//   end        = the linear or circular end character, as a word of its own
//                or closing the last gene's word ("a b c|")
//
// Words are separated by white space, chromosomes may span lines, and a
// word beginning with "#" starts a comment running to the end of its line.
// The genomes become structures with ids 1, 2, ... in file order; their
// names are the header texts; gene names are escaped (gene_name_escape.h)
// and the copies of a name are numbered 1, 2, ... in order of appearance
// within each genome.

/// Reads every genome of `text`, with the line of every gene copy. Throws
/// std::runtime_error, reading
/// "<sourceName>:<line>: genome <n> ("<name>")[, chromosome <k>]: ...",
/// for: a gene or end before the first header, a lone sign, an end with no
/// gene before it, a chromosome without its end, a genome without
/// chromosomes, and a file without genomes. The length of the names the
/// copies give is left to the caller, who has the lines to point at.
StructuresRead readMarkedGenomes(std::string_view text, const std::string& sourceName,
                                 const ChromosomeEndMarkers& ends);

/// "genome 2 (\"B\")": how messages about a UniMoG or GRIMM file name its
/// genome of 0-based `index`, called `name`.
std::string genomeContext(size_t index, std::string_view name);

}  // namespace paralog

#endif  // PARALOG_GENOME_MARKED_GENOME_READER_H
