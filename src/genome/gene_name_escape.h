#ifndef PARALOG_GENOME_GENE_NAME_ESCAPE_H
#define PARALOG_GENOME_GENE_NAME_ESCAPE_H

#include <string>
#include <string_view>

#include "genome/genome.h"

namespace paralog {

// Gene names of UniMoG and GRIMM files may be any word, but only the
// characters of isGeneNameCharacter (genome/reader.h) can go into variable
// names. Such names are escaped when read: every byte that is not a name
// character, and the escape character "~" itself, becomes "~" and two
// upper-case hexadecimal digits ("tRNA-Leu" -> "tRNA~2DLeu", "a~b" ->
// "a~7Eb"). Names made of name characters other than "~" stay as they are.
// The escape is injective: no two names give the same escaped name.
// Names read from the tool's own format are never escaped.

/// The escape character.
inline constexpr char kGeneNameEscape = '~';

/// The escaped form of `name`; it holds only name characters.
std::string escapeGeneName(std::string_view name);

/// The inverse of escapeGeneName: every "~" followed by two hexadecimal
/// digits becomes the byte they give. Text that escapeGeneName cannot have
/// written (a "~" without two hexadecimal digits after it) is kept as it is.
std::string decodeGeneName(std::string_view escaped);

/// The name of `name` as the user wrote it: decodeGeneName(name) when the
/// names of `structure` were escaped (Structure::escapedNames), else `name`.
std::string originalGeneName(const Structure& structure, std::string_view name);

}  // namespace paralog

#endif  // PARALOG_GENOME_GENE_NAME_ESCAPE_H
