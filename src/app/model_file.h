#ifndef PARALOG_APP_MODEL_FILE_H
#define PARALOG_APP_MODEL_FILE_H

#include <string>

#include "run_setup/output_target.h"
#include "genome/genome.h"

namespace paralog {

/// Writes the compact model of `first` and `second` (compact/written_model.h,
/// with --match-all's rows when `matchAll`) into `target` as an LP file in
/// the portable layout, gzip-compressed when `path` ends in ".gz". Does not
/// commit `target`. Throws std::runtime_error when the genomes have no
/// compact model (a copy written twice, or equal genome ids) or a write fails.
void writeModelFile(OutputTarget& target, const std::string& path, const Structure& first, const Structure& second,
                    bool matchAll);

}  // namespace paralog

#endif  // PARALOG_APP_MODEL_FILE_H
