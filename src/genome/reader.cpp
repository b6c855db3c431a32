#include "genome/reader.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "common/to_int.h"
#include "genome/quoted.h"

namespace paralog {
namespace {

// Reads an integer item or fails with a message built from `context` (a
// callable giving where we are, called only on failure) and `what`.
template <class Context>
int32_t readInt(TokenCursor& in, const Context& context, std::string_view what) {
  const IntToken item = in.integer();
  switch (item.status) {
    case IntStatus::kOk:
      break;
    case IntStatus::kEnd:
      in.fail(in.lastLine(), context() + ": the file ends before " + std::string(what));
    case IntStatus::kNotANumber:
      in.fail(item.token.line,
              context() + ": expected " + std::string(what) + ", found " + quoted(item.token.text));
    case IntStatus::kOutOfRange:
      in.fail(item.token.line, context() + ": " + std::string(what) + " " +
                                   quoted(item.token.text) +
                                   " does not fit a 32-bit signed integer");
  }
  return item.value;
}

template <class Context>
int32_t readCount(TokenCursor& in, const Context& context, std::string_view what) {
  const int32_t value = readInt(in, context, what);
  if (value < 0) {
    in.fail(in.lastLine(), context() + ": " + std::string(what) + " must not be negative, found " +
                               std::to_string(value));
  }
  return value;
}

template <class Context>
Token readWord(TokenCursor& in, const Context& context, std::string_view what) {
  const Token item = in.word();
  if (item.text.empty()) {
    in.fail(in.lastLine(), context() + ": the file ends before " + std::string(what));
  }
  return item;
}

template <class Context>
char readChar(TokenCursor& in, const Context& context, std::string_view what) {
  const Token item = in.character();
  if (item.text.empty()) {
    in.fail(in.lastLine(), context() + ": the file ends before " + std::string(what));
  }
  return item.text.front();
}

size_t decimalLength(int64_t value) {
  size_t length = value < 0 ? 2 : 1;
  for (value /= 10; value != 0; value /= 10) ++length;
  return length;
}

// Length of a gene copy's extremity key: name "." index end.
size_t extremityKeyLength(const Gene& gene) {
  return gene.name.size() + 1 + decimalLength(gene.index) + 1;
}

std::string structureContext(size_t ordinal, const std::string& name) {
  std::string text = "structure " + std::to_string(ordinal);
  if (!name.empty()) text += " (" + quoted(name) + ")";
  return text;
}

// The gene copy of a structure with the longest extremity key, and where
// it was read; checked once the ids of all structures are known.
struct LongestKey {
  size_t length = 0;
  size_t chromosome = 0;
  size_t gene = 0;
  size_t line = 0;
};

}  // namespace

bool isGeneNameCharacter(char c) {
  static constexpr std::string_view kPunctuation = "!\"#$%&()/,?@_`'{}|~";
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return kPunctuation.find(c) != std::string_view::npos;
}

std::vector<std::string_view> splitGeneList(std::string_view list) {
  std::vector<std::string_view> tokens;
  size_t start = 0;
  for (size_t i = 1; i < list.size(); ++i) {
    const char c = list[i];
    if (c == '+' || c == '-' || c == ';') {
      tokens.push_back(list.substr(start, i - start));
      start = i;
    }
  }
  return tokens;
}

Gene parseGene(std::string_view token) {
  if (token.empty()) throw std::runtime_error("empty gene token");
  if (token.front() != '+' && token.front() != '-') {
    throw std::runtime_error("gene token " + quoted(token) + " does not begin with \"+\" or \"-\"");
  }
  const size_t dot = token.find('.');
  if (dot == std::string_view::npos) {
    throw std::runtime_error("gene token " + quoted(token) + " has no \".\" before its copy index");
  }
  const std::string_view name = token.substr(1, dot - 1);
  if (name.empty()) throw std::runtime_error("gene token " + quoted(token) + " has an empty name");
  for (const char c : name) {
    if (!isGeneNameCharacter(c)) {
      throw std::runtime_error("gene name " + quoted(name) + " in token " + quoted(token) +
                               " holds " + quoted(std::string_view(&c, 1)) +
                               ", a character not allowed in names of the LP file");
    }
  }
  const std::string_view indexText = token.substr(dot + 1);
  if (indexText.empty() || indexText.front() < '0' || indexText.front() > '9') {
    throw std::runtime_error("the copy index of gene token " + quoted(token) +
                             " does not begin with a digit");
  }
  // Anything after the digits would otherwise be dropped, so that
  // "+g.1.1" and "+g.2.1" became two copies of one gene "g".
  const size_t notDigit = indexText.find_first_not_of("0123456789");
  if (notDigit != std::string_view::npos) {
    throw std::runtime_error("the copy index of gene token " + quoted(token) + " holds " +
                             quoted(indexText.substr(notDigit, 1)) +
                             " after its digits; a copy index is digits only, so a gene name"
                             " may not contain \".\" in this format");
  }
  const std::optional<int32_t> index = toInt(indexText);
  if (!index) {
    throw std::runtime_error("the copy index of gene token " + quoted(token) +
                             " does not fit a 32-bit signed integer");
  }
  Gene gene;
  gene.name = std::string(name);
  gene.index = *index;
  gene.sign = token.front() == '-' ? -1 : 1;
  return gene;
}

ParalogTable readParalogTable(TokenCursor& in) {
  ParalogTable table;
  const auto tableContext = [] { return std::string("paralog table"); };
  const int32_t rows = readCount(in, tableContext, "the number of rows");
  for (int32_t row = 1; row <= rows; ++row) {
    const auto rowContext = [row] { return "paralog table, row " + std::to_string(row); };
    const Token name = readWord(in, rowContext, "the gene name");
    const int32_t value = readInt(in, rowContext, "the value");
    table.insert_or_assign(std::string(name.text), value);
  }
  return table;
}

namespace {

// Reads one chromosome of `structure` (type, gene count, separator, gene
// list), appends it and records its genes in `copies` and `longestKey`.
template <class Context>
void readChromosome(TokenCursor& in, const Context& chromosomeContext, Structure& structure,
                    LongestKey& longestKey) {
  Chromosome chromosome;
  chromosome.circular = readChar(in, chromosomeContext, "the chromosome type") == 'C';
  // The count is checked but not trusted: the list decides.
  readCount(in, chromosomeContext, "the gene count");
  readChar(in, chromosomeContext, "the separator after the gene count");
  const Token list = readWord(in, chromosomeContext, "the gene list");
  const size_t semicolon = list.text.find(';');
  if (semicolon != list.text.size() - 1) {
    in.fail(list.line, chromosomeContext() + ": the gene list " + quoted(list.text) +
                           (semicolon == std::string_view::npos ? " does not end with \";\""
                                                                : " holds a \";\" before its end"));
  }
  for (const std::string_view token : splitGeneList(list.text)) {
    try {
      chromosome.genes.push_back(parseGene(token));
    } catch (const std::runtime_error& error) {
      in.fail(list.line, chromosomeContext() + ": " + error.what());
    }
    const Gene& gene = chromosome.genes.back();
    auto entry = structure.copies.find(gene.name);
    if (entry == structure.copies.end()) {
      entry = structure.copies.emplace(gene.name, std::vector<int32_t>{}).first;
    }
    entry->second.push_back(gene.index);
    const size_t keyLength = extremityKeyLength(gene);
    if (keyLength > longestKey.length) {
      longestKey = {keyLength, structure.chromosomes.size(), chromosome.genes.size() - 1,
                    list.line};
    }
  }
  structure.chromosomes.push_back(std::move(chromosome));
}

// The longest names pair two gene ends: "t_" id "_" key key. Their id is
// that of either structure, so the widest id of the file bounds them all.
void checkNameLengths(const TokenCursor& in, const std::vector<Structure>& structures,
                      const std::vector<LongestKey>& longest) {
  size_t idLength = 0;
  for (const Structure& structure : structures) {
    idLength = std::max(idLength, decimalLength(structure.id));
  }
  for (size_t s = 0; s < structures.size(); ++s) {
    if (longest[s].length == 0) continue;
    const size_t nameLength = 3 + idLength + 2 * longest[s].length;
    if (nameLength <= kMaxVariableNameLength) continue;
    const Structure& structure = structures[s];
    const Gene& gene = structure.chromosomes[longest[s].chromosome].genes[longest[s].gene];
    in.fail(longest[s].line,
            structureContext(s + 1, structure.name) + ", chromosome " +
                std::to_string(longest[s].chromosome + 1) + ": gene " + quoted(gene.name) +
                " with copy index " + std::to_string(gene.index) + " gives variable names of " +
                std::to_string(nameLength) + " characters; LP readers accept at most " +
                std::to_string(kMaxVariableNameLength));
  }
}

}  // namespace

std::vector<Structure> readStructures(TokenCursor& in) {
  std::vector<Structure> structures;
  std::vector<LongestKey> longest;
  const auto listContext = [] { return std::string("structure list"); };
  const int32_t count = readCount(in, listContext, "the number of structures");
  for (int32_t ordinal = 1; ordinal <= count; ++ordinal) {
    Structure structure;
    LongestKey longestKey;
    const auto context = [&] { return structureContext(ordinal, structure.name); };
    structure.name = std::string(readWord(in, context, "the structure's name").text);
    structure.id = readInt(in, context, "the id");
    if (structure.id < 0) {
      in.fail(in.lastLine(),
              context() + ": the id must not be negative, found " + std::to_string(structure.id));
    }
    readChar(in, context, "the separator after the id");
    const int32_t chromosomes = readCount(in, context, "the number of chromosomes");
    readChar(in, context, "the separator after the number of chromosomes");
    for (int32_t c = 1; c <= chromosomes; ++c) {
      const auto chromosomeContext = [&] {
        return context() + ", chromosome " + std::to_string(c);
      };
      readChromosome(in, chromosomeContext, structure, longestKey);
    }
    structures.push_back(std::move(structure));
    longest.push_back(longestKey);
  }
  checkNameLengths(in, structures, longest);
  return structures;
}

void requireSameGeneNames(const Structure& first, const Structure& second,
                          std::string_view sourceName) {
  auto a = first.copies.begin();
  auto b = second.copies.begin();
  while (a != first.copies.end() || b != second.copies.end()) {
    const Structure* holder = nullptr;
    const Structure* lacking = nullptr;
    const std::string* name = nullptr;
    if (b == second.copies.end() || (a != first.copies.end() && a->first < b->first)) {
      holder = &first, lacking = &second, name = &a->first;
    } else if (a == first.copies.end() || b->first < a->first) {
      holder = &second, lacking = &first, name = &b->first;
    } else {
      ++a, ++b;
      continue;
    }
    throw std::runtime_error(std::string(sourceName) + ": gene " + quoted(*name) +
                             " occurs in structure " + quoted(holder->name) +
                             " but not in structure " + quoted(lacking->name) +
                             "; both structures used must hold the same gene names");
  }
}

void requireDistinctIds(const Structure& first, const Structure& second,
                        std::string_view sourceName) {
  if (first.id != second.id) return;
  throw std::runtime_error(std::string(sourceName) + ": structures " + quoted(first.name) +
                           " and " + quoted(second.name) + " both have id " +
                           std::to_string(first.id) +
                           "; the two structures compared must have different ids");
}

}  // namespace paralog
