#ifndef PARALOG_GENOME_QUOTED_H
#define PARALOG_GENOME_QUOTED_H

#include <string>
#include <string_view>

namespace paralog {

/// Renders a piece of input for an error message: in double quotes, bytes
/// outside printable ASCII written as \xNN, and text longer than
/// `maxLength` bytes cut with "..." so that a message stays one readable line.
std::string quoted(std::string_view text, size_t maxLength = 300);

}  // namespace paralog

#endif  // PARALOG_GENOME_QUOTED_H
