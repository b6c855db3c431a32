#include "genome/unimog_reader.h"

namespace paralog {

StructuresRead readUnimog(std::string_view text, const std::string& sourceName) {
  return readMarkedGenomes(text, sourceName, kUnimogEnds);
}

}  // namespace paralog
