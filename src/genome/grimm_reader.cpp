#include "genome/grimm_reader.h"

namespace paralog {

StructuresRead readGrimm(std::string_view text, const std::string& sourceName) {
  return readMarkedGenomes(text, sourceName, kGrimmEnds);
}

}  // namespace paralog
