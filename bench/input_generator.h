#ifndef PARALOG_BENCH_INPUT_GENERATOR_H
#define PARALOG_BENCH_INPUT_GENERATOR_H

#include <cstdint>
#include <string>

namespace paralog {

/// Writes a deterministic input file of two genomes over `geneCount` gene
/// names: about 15% of the names in two copies, copies shuffled with random
/// signs into four linear chromosomes and one small circular chromosome
/// holding about 5% of the copies. The same `geneCount` and `seed` always
/// give the same text, on every platform.
std::string makeBenchmarkInput(uint32_t geneCount, uint64_t seed);

}  // namespace paralog

#endif  // PARALOG_BENCH_INPUT_GENERATOR_H
