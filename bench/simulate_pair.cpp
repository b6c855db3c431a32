// Writes a simulated pair of related genomes (see simulated_pair.h) to
// standard output:
//   paralog_simulate_pair FAMILIES DUPLICATED INVERSIONS LOST CHROMOSOMES
//                         linear|circular SEED [MAX_COPIES]
// LOST is a number of copies, or a share of all copies when it ends in "%".
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "simulated_pair.h"

int main(int argc, char** argv) {
  if (argc != 8 && argc != 9) {
    std::cerr << "usage: paralog_simulate_pair FAMILIES DUPLICATED INVERSIONS LOST[%] CHROMOSOMES "
                 "linear|circular SEED [MAX_COPIES]\n";
    return 2;
  }
  paralog::PairSimulation simulation;
  simulation.families = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
  simulation.duplicated = std::strtod(argv[2], nullptr);
  simulation.inversions = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
  const std::string lost = argv[4];
  if (!lost.empty() && lost.back() == '%') simulation.lostShare = std::strtod(lost.c_str(), nullptr) / 100;
  else simulation.lostCopies = static_cast<uint32_t>(std::strtoul(lost.c_str(), nullptr, 10));
  simulation.chromosomes = static_cast<uint32_t>(std::strtoul(argv[5], nullptr, 10));
  simulation.circular = std::string(argv[6]) == "circular";
  simulation.seed = std::strtoull(argv[7], nullptr, 10);
  if (argc == 9) simulation.maxCopies = static_cast<uint32_t>(std::strtoul(argv[8], nullptr, 10));
  std::cout << paralog::simulatePair(simulation);
  return std::cout.good() ? 0 : 1;
}
