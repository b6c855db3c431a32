#ifndef PARALOG_GENOME_READER_H
#define PARALOG_GENOME_READER_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "genome/gene_lines.h"
#include "genome/genome.h"
#include "genome/token_cursor.h"

namespace paralog {

// Reader of the input file: a paralog table followed by a list of genome
// structures, read as whitespace-separated integers, words and characters.
//
//   <rows>  { <gene name> <value> }
//   <structures>
//   { <name> <id> <sep> <chromosomes> <sep>
//     { <type> <gene count> <sep> <gene list> } }
//
// A separator is any single non-white character. Type "C" marks a circular
// chromosome, any other character a linear one. A gene list is one word such
// as +a.1-b.12+a.2; (sign, name, ".", copy index; closed by ";"). The gene
// count in front of it is not trusted: the list decides.
//
// Every function here throws std::runtime_error on malformed input; errors
// raised while reading a file read "<file>:<line>: <where>: <what is wrong>"
// and quote the offending item.

/// Gene name -> value, from the first block of the file. It is read and
/// kept, but nothing in the program depends on it.
using ParalogTable = std::map<std::string, int32_t, std::less<>>;

/// Reads the paralog table (a non-negative row count, then that many rows
/// of a name and an integer; a repeated name keeps its last value) and
/// leaves `in` just after it.
ParalogTable readParalogTable(TokenCursor& in);

/// Reads the structure list that follows the paralog table, in file order,
/// with the line of every gene copy, and stops after the last structure.
/// Besides the grammar it enforces: counts and ids are not negative; every
/// gene list ends with its only ";"; and every gene token passes
/// `parseGene`. The length of the names the copies give is not its
/// concern: the caller checks that with the lines returned.
StructuresRead readStructures(TokenCursor& in);

/// "structure 2" or, when `name` is not empty, "structure 2 (\"B\")": how
/// messages about the file name its `ordinal`-th structure (from 1).
std::string structureContext(size_t ordinal, std::string_view name);

/// Cuts a gene list into its gene tokens: a new token starts at every "+",
/// "-" or ";" after the first character; text after the last such cut (the
/// closing ";") is not a token. A list of fewer than two characters gives
/// no token. The views point into `list`.
std::vector<std::string_view> splitGeneList(std::string_view list);

/// Parses one gene token: sign "+" (+1) or "-" (-1), a non-empty name of
/// name characters, ".", and a copy index of decimal digits only (leading
/// zeros allowed) that fits a 32-bit signed integer. Throws
/// std::runtime_error naming the token when any of this does not hold.
Gene parseGene(std::string_view token);

/// True for the characters a gene name may hold: ASCII letters and digits
/// and ! " # $ % & ( ) / , ? @ _ ` ' { } | ~ (the others would corrupt
/// the LP file or be refused by solvers).
bool isGeneNameCharacter(char c);

/// Throws std::runtime_error("<sourceName>: structures ... and ... both
/// have id ...") when the two structures share their id: the id goes into
/// the names of their variables, so the two genomes would share variables.
void requireDistinctIds(const Structure& first, const Structure& second,
                        std::string_view sourceName);

}  // namespace paralog

#endif  // PARALOG_GENOME_READER_H
