#ifndef PARALOG_APP_GENERATE_PROGRAM_H
#define PARALOG_APP_GENERATE_PROGRAM_H

#include "genome/genome.h"
#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {

/// Runs the generators of the seven variable families in their fixed order
/// (Z, T, U, P, R, L, then O for each structure), printing their progress
/// lines on standard output. The lines of each section of `task` stand in
/// the order of these calls.
void generateProgram(IlpTask& task, const Structure& first, const Structure& second,
                     VariablesStorage& storage);

}  // namespace paralog

#endif  // PARALOG_APP_GENERATE_PROGRAM_H
