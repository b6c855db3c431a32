#ifndef PARALOG_BENCH_PAIR_FILE_H
#define PARALOG_BENCH_PAIR_FILE_H

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "genome/genome.h"
#include "genome/reader.h"
#include "genome/token_cursor.h"

namespace paralog::bench {

/// The genomes of an input file in the native format (as
/// paralog_simulate_pair writes it), for the bench programs. The
/// structures own their names.
inline std::vector<Structure> readPairFile(const char* path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  const std::string content = text.str();
  TokenCursor cursor(content, path);
  readParalogTable(cursor);
  return readStructures(cursor).structures;
}

}  // namespace paralog::bench

#endif  // PARALOG_BENCH_PAIR_FILE_H
