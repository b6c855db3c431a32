#ifndef PARALOG_ILP_NAME_LENGTH_CHECK_H
#define PARALOG_ILP_NAME_LENGTH_CHECK_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "genome/genome.h"

namespace paralog {

/// Finds the gene copy of a file whose variable names would be longer than
/// kMaxVariableNameLength (ilp/variable_names.h). The longest names pair
/// two gene ends under an id, the key (name "." index end) of one copy
/// twice at most; their id is that of either structure, so the widest id
/// of the file bounds them all. The genome readers record every copy as
/// they read it and check once all ids are known, while they still know
/// the line of each copy.
class NameLengthCheck {
 public:
  /// A copy whose names are too long: where it was read and what is wrong.
  struct Fault {
    size_t structure = 0;   ///< 0-based, in file order
    size_t chromosome = 0;  ///< 0-based, within the structure
    size_t line = 0;
    std::string message;  ///< "gene ... gives variable names of N characters; ..."
  };

  /// Records `gene`, read on `line` in chromosome `chromosome` of structure
  /// `structure` (both 0-based; structures recorded in file order).
  void record(size_t structure, size_t chromosome, const Gene& gene, size_t line);

  /// The first structure (in file order) holding a copy with too long names,
  /// given the ids of all `structures`; nothing when every name fits.
  std::optional<Fault> check(const std::vector<Structure>& structures) const;

 private:
  struct Longest {
    size_t length = 0;
    size_t chromosome = 0;
    size_t line = 0;
    std::string name;
    int32_t index = 0;
  };
  std::vector<Longest> longest_;  // per structure
};

}  // namespace paralog

#endif  // PARALOG_ILP_NAME_LENGTH_CHECK_H
