#ifndef PARALOG_MODEL_PROGRAM_LP_FILE_H
#define PARALOG_MODEL_PROGRAM_LP_FILE_H

#include <string>
#include <vector>

#include "common/byte_sink.h"
#include "model/linear_program.h"

namespace paralog {

/// `program` as writeProgramLp writes it: its variables renamed after
/// `names` (by index) and numbered in the order they first stand in the
/// file (objective, rows top to bottom, bounds, declarations: the column
/// order GLPK gives them), and the repeated variables of each row merged
/// into one term where the first stood, so that every LP reader takes each
/// row alike. Rows keep their order. REQUIRES: one distinct name per
/// variable of `program`, each a valid LP name.
LinearProgram inWrittenOrder(const LinearProgram& program, const std::vector<std::string>& names);

/// `row` of `program` as writeProgramLp writes its line, without the
/// leading tab and the line end, and unbroken.
std::string rowLine(const LinearProgram& program, const ProgramRow& row);

/// Writes `program` into `out` as an LP file in the portable layout that
/// the LP file of --portable has (lp/portable_line.h): "Minimize" and the
/// objective, "Subject To" with one row per line (no row names), "Bounds"
/// for every continuous variable not of the default range and for every
/// variable the file would otherwise not name, "Binary", "General", "End"
/// and a line end; lines longer than kPortableLineLimit broken before a
/// term. Coefficients are written as the shortest decimal that reads back
/// as the same double. A program without objective terms gets the term
/// "0 <first variable>". Writes only into `out`, which it does not flush.
/// REQUIRES: `program` is inWrittenOrder's result, with at least one variable.
void writeProgramLp(const LinearProgram& program, ByteSink& out);

}  // namespace paralog

#endif  // PARALOG_MODEL_PROGRAM_LP_FILE_H
