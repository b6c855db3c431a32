// The score bounds of an input file's first two genomes, without a search:
// prints one tab-separated line of the count bound (nodes and copies, or
// the refined count), the cut bound and the processor seconds of each
// (the piece graph's construction not included). PARALOG_MATCH_ALL=1: the
// cut bound over the --match-all program's matchings.
//   paralog_score_bound FILE
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <vector>

#include "compact/cut_bound.h"
#include "compact/piece_graph.h"
#include "compact/score_bound.h"
#include "pair_file.h"

namespace {

double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: paralog_score_bound FILE\n");
    return 2;
  }
  const std::vector<paralog::Structure> structures = paralog::bench::readPairFile(argv[1]);
  const paralog::compact::PieceGraph graph(structures.at(0), structures.at(1));
  double start = cpuSeconds();
  const int64_t counted = paralog::compact::scoreUpperBound(graph);
  const double countSeconds = cpuSeconds() - start;
  start = cpuSeconds();
  const bool matchAll = std::getenv("PARALOG_MATCH_ALL") != nullptr;
  const std::optional<int64_t> cut =
      paralog::compact::cutScoreBound(graph, paralog::SolveControl(std::nullopt, nullptr), matchAll);
  const double cutSeconds = cpuSeconds() - start;
  std::printf("count\t%lld\t%.2f s\tcut\t%lld\t%.2f s\n", static_cast<long long>(counted), countSeconds,
              static_cast<long long>(cut.value_or(-1)), cutSeconds);
  return 0;
}
