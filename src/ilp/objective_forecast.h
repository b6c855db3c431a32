#ifndef PARALOG_ILP_OBJECTIVE_FORECAST_H
#define PARALOG_ILP_OBJECTIVE_FORECAST_H

#include <string>

#include "genome/genome.h"

namespace paralog {

/// The objective text that the storage will hold once every generator has
/// run on `first` and `second`, worked out from the structures alone: the z
/// names of all copy pairs of each gene, the p names of the numbered
/// adjacencies, the l and r names of the gene ends and the weighted o names.
/// It lets the LP file be written front to back while the lines are made.
/// The forecast is only as good as this list of where objective names come
/// from, so a caller must compare it with the storage's real objective at
/// the end and rewrite the file if they differ.
std::string forecastObjective(const Structure& first, const Structure& second);

}  // namespace paralog

#endif  // PARALOG_ILP_OBJECTIVE_FORECAST_H
