#ifndef PARALOG_ILP_NAME_LENGTH_CHECK_H
#define PARALOG_ILP_NAME_LENGTH_CHECK_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "genome/gene_lines.h"
#include "genome/genome.h"

namespace paralog {

/// A gene copy whose variable names would be longer than
/// kMaxVariableNameLength (lp/variable_names.h): where it was read and
/// what is wrong.
struct NameLengthFault {
  size_t structure = 0;   ///< 0-based, in file order
  size_t chromosome = 0;  ///< 0-based, within the structure
  size_t line = 0;
  std::string message;  ///< "gene ... gives variable names of N characters; ..."
};

/// Finds the first structure (in file order) holding a copy whose names
/// are too long, and in it the first of its copies with the longest
/// extremity key; nothing when every name fits. The longest names pair two
/// gene ends under an id, the key (name "." index end) of one copy twice at
/// most; their id is that of either structure, so the widest id of
/// `read.structures` bounds them all. `read.lines` gives the line.
std::optional<NameLengthFault> findTooLongNames(const StructuresRead& read);

}  // namespace paralog

#endif  // PARALOG_ILP_NAME_LENGTH_CHECK_H
