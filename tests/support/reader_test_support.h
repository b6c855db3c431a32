#ifndef PARALOG_SUPPORT_READER_TEST_SUPPORT_H
#define PARALOG_SUPPORT_READER_TEST_SUPPORT_H

// Shared helpers of the reader tests: read a whole input text, and render
// records as short text so that expectations read like the input.

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "run_setup/program_input.h"
#include "genome/genome.h"
#include "genome/reader.h"

namespace paralog::testutil {

/// Both blocks of an input text.
struct InputContent {
  ParalogTable paralogTable;
  std::vector<Structure> structures;
};

/// Reads the paralog table and the structures as the program does; errors
/// name the source "in.txt".
inline InputContent readInput(std::string_view text) {
  ProgramInput input = readGenomes(text, "in.txt", InputFormat::kNative);
  return {std::move(input.paralogTable), std::move(input.structures)};
}

/// The message of the error that reading `text` raises, or "no error".
inline std::string readError(std::string_view text) {
  try {
    readInput(text);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

/// "+a.1 -b.2" for the genes of a chromosome, prefixed with "C:" when circular.
inline std::string describe(const Chromosome& chromosome) {
  std::string text = chromosome.circular ? "C:" : "L:";
  for (const Gene& gene : chromosome.genes) {
    text += ' ';
    text += gene.sign == -1 ? '-' : gene.sign == 1 ? '+' : '?';
    text += gene.name + "." + std::to_string(gene.index);
  }
  return text;
}

/// "a:[1,2] b:[1]" for the copy index of a structure.
inline std::string describe(const CopyIndex& copies) {
  std::string text;
  for (const auto& [name, indices] : copies) {
    if (!text.empty()) text += ' ';
    text += name + ":[";
    for (size_t i = 0; i < indices.size(); ++i) {
      if (i != 0) text += ',';
      text += std::to_string(indices[i]);
    }
    text += ']';
  }
  return text;
}

/// One line per chromosome, as by describe(Chromosome).
inline std::vector<std::string> describeChromosomes(const Structure& structure) {
  std::vector<std::string> lines;
  for (const Chromosome& chromosome : structure.chromosomes) lines.push_back(describe(chromosome));
  return lines;
}

/// An input of two structures "A" (id 0) and "B" (id 1) with one linear
/// chromosome each, holding the given gene lists.
inline std::string twoStructures(std::string_view firstList, std::string_view secondList) {
  return "0\n2\nA 0 : 1 :\nL 1 : " + std::string(firstList) +
         "\nB 1 : 1 :\nL 1 : " + std::string(secondList) + "\n";
}

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_READER_TEST_SUPPORT_H
