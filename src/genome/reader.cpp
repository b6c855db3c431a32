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

}  // namespace

std::string structureContext(size_t ordinal, std::string_view name) {
  std::string text = "structure " + std::to_string(ordinal);
  if (!name.empty()) text += " (" + quoted(name) + ")";
  return text;
}

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

// Reads one chromosome of `structure`: type, gene count, separator, gene
// list. Appends it, records its genes in `copies` and appends the line of
// each to `lines`, the lines of the structure.
template <class Context>
void readChromosome(TokenCursor& in, const Context& chromosomeContext, Structure& structure,
                    std::vector<std::vector<size_t>>& lines) {
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
  }
  lines.emplace_back(chromosome.genes.size(), list.line);
  structure.chromosomes.push_back(std::move(chromosome));
}

}  // namespace

StructuresRead readStructures(TokenCursor& in) {
  StructuresRead read;
  const auto listContext = [] { return std::string("structure list"); };
  const int32_t count = readCount(in, listContext, "the number of structures");
  for (int32_t ordinal = 1; ordinal <= count; ++ordinal) {
    Structure structure;
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
    std::vector<std::vector<size_t>>& lines = read.lines.emplace_back();
    for (int32_t c = 1; c <= chromosomes; ++c) {
      const auto chromosomeContext = [&] {
        return context() + ", chromosome " + std::to_string(c);
      };
      readChromosome(in, chromosomeContext, structure, lines);
    }
    read.structures.push_back(std::move(structure));
  }
  return read;
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
