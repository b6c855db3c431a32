// Solves the compact model of an input file's first two genomes and prints
// one tab-separated line: heuristic score, status, seconds, objective, bound,
// gap in percent.
//   paralog_compact_solve FILE [TIME_LIMIT_SECONDS]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "compact/compact_solve.h"
#include "genome/reader.h"
#include "genome/token_cursor.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: paralog_compact_solve FILE [TIME_LIMIT_SECONDS]\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    const auto start = std::chrono::steady_clock::now();
    const std::string content = text.str();
    paralog::TokenCursor cursor(content, argv[1]);
    paralog::readParalogTable(cursor);
    const std::vector<paralog::Structure> structures = paralog::readStructures(cursor);
    paralog::SolveOptions options;
    if (argc > 2) options.timeLimitSeconds = std::strtod(argv[2], nullptr);
    const paralog::CompactSolveResult result =
        paralog::solveCompact(structures[0], structures[1], options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double objective = -static_cast<double>(result.score);
    const double gap = std::fabs(objective - result.bestBound) / std::fmax(1.0, std::fabs(objective)) * 100;
    std::printf("%lld\t%s\t%.2f\t%.0f\t%.2f\t%.2f\n", static_cast<long long>(result.heuristicScore),
                std::string(paralog::statusText(result.status)).c_str(), seconds, objective, result.bestBound, gap);
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
