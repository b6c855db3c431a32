// Properties of the LP file over many random valid inputs, generated from a
// fixed seed so that every run tries the same ones: the file's layout, that
// every line is in canonical form, and that every variable it uses is
// declared once and in order (see lp_file_check.h). Also that the layout of
// the input (white space, separators, gene counts, the paralog table, a
// third structure) does not change the LP file, that the objective (worked
// out from the structures before any row) names exactly the declared z, p,
// l, r and o variables, and that the file the program streams to disk on
// two threads holds the same bytes as the one built in memory on one.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "run_setup/output_target.h"
#include "app/program_file.h"
#include "support/inequality.h"
#include "support/lp_file_check.h"
#include "support/lp_text.h"
#include "support/quiet_stdout.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using Random = std::mt19937_64;

// A number in [0, bound); plain modulo keeps the draws the same with every
// standard library (the distributions of <random> are not).
uint32_t below(Random& random, uint32_t bound) { return static_cast<uint32_t>(random() % bound); }

bool chance(Random& random, uint32_t percent) { return below(random, 100) < percent; }

constexpr std::string_view kNameAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!\"#$%&()/,?@_`'{}|~";

std::string randomName(Random& random) {
  std::string name;
  const uint32_t length = 1 + below(random, 4);
  for (uint32_t i = 0; i < length; ++i) name += kNameAlphabet[below(random, kNameAlphabet.size())];
  return name;
}

// The content of a random input, before it is laid out as text.
struct GeneCopy {
  std::string name;
  int32_t index = 0;
  bool reversed = false;
};
struct RandomChromosome {
  bool circular = false;
  std::vector<GeneCopy> genes;
};
struct RandomStructure {
  std::string name;
  int32_t id = 0;
  std::vector<RandomChromosome> chromosomes;
};

int32_t randomIndex(Random& random) {
  // Small indices repeat often (repeated copies, copy 10 before copy 2);
  // now and then a large one.
  if (chance(random, 5)) return 2147483647 - static_cast<int32_t>(below(random, 3));
  return static_cast<int32_t>(below(random, 12));
}

int32_t randomId(Random& random) {
  if (chance(random, 10)) return 100000 + static_cast<int32_t>(below(random, 900000));
  return static_cast<int32_t>(below(random, 3));  // small ids make a third's equal often
}

// A structure over `names` with at most `maxCopies` gene copies, holding
// every one of `names` at least once.
RandomStructure randomStructure(Random& random, const std::vector<std::string>& names,
                                uint32_t maxCopies) {
  RandomStructure structure;
  structure.name = randomName(random);
  structure.id = randomId(random);
  const uint32_t chromosomes = below(random, 4);
  uint32_t copies = 0;
  for (uint32_t c = 0; c < chromosomes; ++c) {
    RandomChromosome chromosome;
    chromosome.circular = chance(random, 40);
    const uint32_t genes = chance(random, 15) ? 0 : 1 + below(random, 4);
    for (uint32_t g = 0; g < genes && copies < maxCopies && !names.empty(); ++g, ++copies) {
      chromosome.genes.push_back(
          {names[below(random, names.size())], randomIndex(random), chance(random, 50)});
    }
    structure.chromosomes.push_back(chromosome);
  }
  std::set<std::string> present;
  for (const RandomChromosome& chromosome : structure.chromosomes) {
    for (const GeneCopy& gene : chromosome.genes) present.insert(gene.name);
  }
  for (const std::string& name : names) {
    if (present.count(name) != 0) continue;
    if (structure.chromosomes.empty()) structure.chromosomes.emplace_back();
    RandomChromosome& chromosome =
        structure.chromosomes[below(random, structure.chromosomes.size())];
    chromosome.genes.push_back({name, randomIndex(random), chance(random, 50)});
  }
  return structure;
}

struct RandomInput {
  std::vector<std::pair<std::string, int32_t>> paralogTable;
  std::vector<RandomStructure> structures;
};

RandomInput randomInput(Random& random) {
  RandomInput input;
  const uint32_t rows = below(random, 3);
  for (uint32_t r = 0; r < rows; ++r) {
    input.paralogTable.emplace_back(randomName(random),
                                    static_cast<int32_t>(below(random, 2000)) - 1000);
  }
  std::vector<std::string> names;
  const uint32_t nameCount = below(random, 5);
  for (uint32_t n = 0; n < nameCount; ++n) names.push_back(randomName(random));
  input.structures.push_back(randomStructure(random, names, 4));
  input.structures.push_back(randomStructure(random, names, 4));
  // The compared structures need different ids; a third may share one.
  if (input.structures[1].id == input.structures[0].id) ++input.structures[1].id;
  if (chance(random, 20)) {
    input.structures.push_back(randomStructure(random, {randomName(random)}, 3));
  }
  return input;
}

// Writes `input` as an input file, choosing white space, separators,
// chromosome type letters and (untrusted) gene counts with `style`.
std::string layOut(const RandomInput& input, Random& style) {
  const auto space = [&style] {
    static const char* const kSpaces[] = {" ", "\n", "\t", "\r\n", "  \n\t", "\v\f "};
    return std::string(kSpaces[below(style, 6)]);
  };
  const auto separator = [&style] {
    static constexpr std::string_view kSeparators = ":|;x#9+-";
    return std::string(1, kSeparators[below(style, kSeparators.size())]);
  };
  std::string text = std::to_string(input.paralogTable.size()) + space();
  for (const auto& [name, value] : input.paralogTable) {
    text += name + space() + std::to_string(value) + space();
  }
  text += std::to_string(input.structures.size()) + space();
  for (const RandomStructure& structure : input.structures) {
    text += structure.name + space() + std::to_string(structure.id) + space() + separator() +
            space() + std::to_string(structure.chromosomes.size()) + space() + separator() +
            space();
    for (const RandomChromosome& chromosome : structure.chromosomes) {
      static constexpr std::string_view kLinearTypes = "LlXc";
      text += chromosome.circular ? 'C' : kLinearTypes[below(style, kLinearTypes.size())];
      const size_t count = chance(style, 70) ? chromosome.genes.size() : below(style, 9);
      text += space() + std::to_string(count) + space() + separator() + space();
      for (const GeneCopy& gene : chromosome.genes) {
        text += (gene.reversed ? "-" : "+") + gene.name + "." + std::to_string(gene.index);
      }
      text += ";" + space();
    }
  }
  return text;
}

// The variables of the objective line of an LP text, and the declared
// variables of the families the objective takes (z, p, l, r, o).
std::set<std::string> objectiveNames(const std::string& lp) {
  const size_t start = lp.find('\n') + 2;
  const std::string objective = lp.substr(start, lp.find('\n', start) - start);
  std::set<std::string> names;
  for (const Term& term : parseExpression(objective)) {
    names.emplace(term.name);
  }
  return names;
}

std::set<std::string> declaredObjectiveFamilies(const std::string& lp) {
  std::set<std::string> names;
  size_t at = lp.find("\nBinary\n");
  while ((at = lp.find("\n\t", at)) != std::string::npos) {
    const size_t end = lp.find('\n', at + 2);
    const std::string name = lp.substr(at + 2, end - at - 2);
    if (std::string_view("zplro").find(name[0]) != std::string_view::npos) names.insert(name);
    at = end;
  }
  return names;
}

TEST(LpPropertiesTest, RandomValidInputsGiveWellFormedLpFiles) {
  const testutil::QuietStdout quiet;
  const testutil::TempDirectory directory;
  Random random(20240611);
  for (int i = 0; i < 100; ++i) {
    const RandomInput input = randomInput(random);
    Random style(static_cast<uint64_t>(i));
    const std::string text = layOut(input, style);
    ProgramInput read;
    std::string lp;
    try {
      read = readProgramInput(text, "random.txt");
      lp = lpTextFromStructures(read.structures[0], read.structures[1]);
    } catch (const std::exception& error) {
      ADD_FAILURE() << "input " << i << " was refused: " << error.what() << "\n" << text;
      continue;
    }
    const std::string problem = testutil::lpFileProblem(lp);
    ASSERT_EQ(problem, "") << "input " << i << ":\n" << text << "\nLP file:\n" << lp;
    ASSERT_EQ(objectiveNames(lp), declaredObjectiveFamilies(lp))
        << "input " << i << ":\n"
        << text;

    if (i % 4 != 0) continue;
    // The same content laid out differently gives the same file.
    Random otherStyle(static_cast<uint64_t>(i) + 1000000);
    ASSERT_EQ(lpTextFromInput(layOut(input, otherStyle), "random.txt"), lp)
        << "input " << i << ":\n"
        << text;
    // The program's own way of writing it gives the same bytes.
    const std::string path = directory.file("out.lp");
    OutputTarget output(path);
    writeProgramFile(output, {}, read.structures[0], read.structures[1], [](std::string_view) {});
    output.commit();
    ASSERT_EQ(testutil::readFile(path), lp) << "input " << i << ":\n" << text;
  }
}

}  // namespace
}  // namespace paralog
