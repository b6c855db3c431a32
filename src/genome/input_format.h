#ifndef PARALOG_GENOME_INPUT_FORMAT_H
#define PARALOG_GENOME_INPUT_FORMAT_H

#include <optional>
#include <string_view>

namespace paralog {

/// The input formats the tool reads.
enum class InputFormat {
  kNative,  ///< the tool's own: a paralog table and numbered structures
  kUnimog,  ///< ">name" lines; chromosomes closed by "|" (linear) or ")" (circular)
  kGrimm,   ///< ">name" lines; chromosomes closed by "$" (linear) or "@" (circular)
  kGff,     ///< GFF3 annotations, one genome per file, with an orthology table (never detected)
};

/// The format named "native", "unimog", "grimm" or "gff" (as given to --format),
/// or nothing for any other text.
std::optional<InputFormat> parseInputFormat(std::string_view name);

/// "native", "UniMoG", "GRIMM" or "GFF3", for messages.
std::string_view formatLabel(InputFormat format);

/// Tells the format from the content: native unless the first character
/// that is neither white space nor inside a "#" comment is ">"; then GRIMM
/// if the first chromosome end in the file ("|", ")", "$" or "@", as a word
/// of its own or closing a word) is "$" or "@", else UniMoG (also when the
/// file has no chromosome end, so that the UniMoG reader reports it).
InputFormat detectInputFormat(std::string_view text);

}  // namespace paralog

#endif  // PARALOG_GENOME_INPUT_FORMAT_H
