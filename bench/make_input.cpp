// Prints a deterministic benchmark input: make_input <gene count> <seed>.
#include <cstdlib>
#include <iostream>
#include <string>

#include "input_generator.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " <gene count> <seed>\n";
    return 2;
  }
  const unsigned long genes = std::strtoul(argv[1], nullptr, 10);
  const unsigned long long seed = std::strtoull(argv[2], nullptr, 10);
  if (genes < 4 || genes > 1000000) {
    std::cerr << "error: gene count must be between 4 and 1000000\n";
    return 2;
  }
  std::cout << paralog::makeBenchmarkInput(static_cast<uint32_t>(genes), seed);
  return std::cout.good() ? 0 : 1;
}
