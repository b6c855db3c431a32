#include "input_generator.h"

#include <algorithm>
#include <vector>

namespace paralog {
namespace {

// splitmix64: tiny, fast and identical everywhere, unlike std distributions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  uint64_t below(uint64_t bound) { return next() % bound; }

 private:
  uint64_t state_;
};

struct Copy {
  uint32_t gene;
  uint32_t index;
};

template <typename T>
void shuffle(std::vector<T>& items, Random& random) {
  for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[random.below(i)]);
}

void appendGenome(std::string& out, const char* name, int id, std::vector<Copy> copies,
                  Random& random) {
  shuffle(copies, random);
  const size_t circularSize = std::max<size_t>(2, copies.size() / 20);
  const size_t linearTotal = copies.size() - circularSize;
  out += name;
  out += ' ' + std::to_string(id) + " : 5 :\n";
  size_t position = 0;
  for (int chromosome = 0; chromosome < 5; ++chromosome) {
    const bool circular = chromosome == 4;
    const size_t size = circular ? circularSize
                                 : (chromosome == 3 ? linearTotal - 3 * (linearTotal / 4)
                                                    : linearTotal / 4);
    out += circular ? "C " : "L ";
    out += std::to_string(size) + " : ";
    for (size_t i = 0; i < size; ++i, ++position) {
      const Copy& copy = copies[position];
      out += random.below(2) == 0 ? '+' : '-';
      out += 'g' + std::to_string(copy.gene) + '.' + std::to_string(copy.index);
    }
    out += ";\n";
  }
}

}  // namespace

std::string makeBenchmarkInput(uint32_t geneCount, uint64_t seed) {
  Random random(seed);
  std::vector<uint32_t> copyCount(geneCount, 1);
  for (uint32_t gene = 0; gene < geneCount; ++gene) {
    if (random.below(100) < 15) copyCount[gene] = 2;
  }
  std::vector<Copy> copies;
  std::string out = std::to_string(geneCount) + "\n";
  for (uint32_t gene = 0; gene < geneCount; ++gene) {
    out += 'g' + std::to_string(gene + 1) + ' ' + std::to_string(copyCount[gene]) + '\n';
    for (uint32_t index = 1; index <= copyCount[gene]; ++index) copies.push_back({gene + 1, index});
  }
  out += "2\n";
  appendGenome(out, "first", 1, copies, random);
  appendGenome(out, "second", 2, copies, random);
  return out;
}

}  // namespace paralog
