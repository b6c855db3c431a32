#ifndef PARALOG_BENCH_SIMULATED_PAIR_H
#define PARALOG_BENCH_SIMULATED_PAIR_H

#include <cstdint>
#include <string>

namespace paralog {

/// How a pair of related genomes is simulated for the solve benchmark.
struct PairSimulation {
  uint32_t families = 1000;     ///< gene families of the first genome
  double duplicated = 0;        ///< share of families in 2 to maxCopies copies
  uint32_t maxCopies = 3;       ///< most copies of a duplicated family (at least 2)
  uint32_t inversions = 50;     ///< inversions turning the first genome into the second
  uint32_t maxInversionLength = 20;
  uint32_t lostCopies = 0;      ///< copies of duplicated families lost in the second genome
  double lostShare = 0;         ///< if above 0: lose this share of all copies instead
  uint32_t chromosomes = 1;     ///< chromosomes of each genome
  bool circular = false;        ///< circular chromosomes instead of linear ones
  uint64_t seed = 1;
};

/// The input file (native format) of two genomes: the first a random order
/// of the families' copies with random signs, cut into `chromosomes`
/// chromosomes; the second made from it by random inversions inside each
/// chromosome and by losing copies of duplicated families (never a family's
/// last copy). Deterministic for equal settings on every platform.
std::string simulatePair(const PairSimulation& simulation);

}  // namespace paralog

#endif  // PARALOG_BENCH_SIMULATED_PAIR_H
