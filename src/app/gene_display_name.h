#ifndef PARALOG_APP_GENE_DISPLAY_NAME_H
#define PARALOG_APP_GENE_DISPLAY_NAME_H

#include <string>
#include <string_view>

namespace paralog {

/// The gene name to show a user for `lpName`, the name a Gene holds and
/// variable names use. Names are written to the LP file as they are read
/// today, so this returns `lpName` unchanged; the one place to decode names
/// once inputs may hold characters the LP file cannot.
std::string displayGeneName(std::string_view lpName);

}  // namespace paralog

#endif  // PARALOG_APP_GENE_DISPLAY_NAME_H
