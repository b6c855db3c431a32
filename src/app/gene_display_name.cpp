#include "app/gene_display_name.h"

namespace paralog {

std::string displayGeneName(std::string_view lpName) { return std::string(lpName); }

}  // namespace paralog
