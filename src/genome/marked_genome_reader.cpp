#include "genome/marked_genome_reader.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "genome/gene_name_escape.h"
#include "genome/marked_item_cursor.h"
#include "genome/quoted.h"

namespace paralog {

std::string genomeContext(size_t index, std::string_view name) {
  return "genome " + std::to_string(index + 1) + " (" + quoted(name) + ")";
}

namespace {

// Builds the structures of one file item by item; one object per read.
class MarkedGenomeReader {
 public:
  MarkedGenomeReader(std::string_view text, const std::string& sourceName,
                     const ChromosomeEndMarkers& ends)
      : items_(text), sourceName_(sourceName), ends_(ends) {}

  StructuresRead read() {
    for (std::optional<MarkedItem> item = items_.next(); item; item = items_.next()) {
      if (item->kind == MarkedItem::Kind::kHeader) {
        finishGenome("before the next genome");
        startGenome(*item);
      } else {
        readWord(*item);
      }
    }
    if (structures_.empty()) {
      throw std::runtime_error(sourceName_ + ":" + std::to_string(items_.lastLine()) +
                               ": no genome found; a " + std::string(ends_.formatLabel) +
                               " file starts each genome with a line \">name\"");
    }
    finishGenome("before the end of the file");
    return {std::move(structures_), std::move(lines_)};
  }

 private:
  [[noreturn]] void fail(size_t line, const std::string& message) const {
    throw std::runtime_error(sourceName_ + ":" + std::to_string(line) + ": " + message);
  }

  std::string lastGenomeContext() const {
    return genomeContext(structures_.size() - 1, structures_.back().name);
  }

  std::string chromosomeContext() const {
    return lastGenomeContext() + ", chromosome " +
           std::to_string(structures_.back().chromosomes.size() + 1);
  }

  std::string endsText() const {
    return quoted(std::string_view(&ends_.linear, 1)) + " (linear) or " +
           quoted(std::string_view(&ends_.circular, 1)) + " (circular)";
  }

  void startGenome(const MarkedItem& header) {
    Structure structure;
    structure.name = std::string(header.text);
    structure.id = static_cast<int32_t>(structures_.size() + 1);
    structure.escapedNames = true;
    structures_.push_back(std::move(structure));
    lines_.emplace_back();
    headerLine_ = header.line;
  }

  // Checks that the current genome, if any, ends complete.
  void finishGenome(const char* where) const {
    if (structures_.empty()) return;
    if (!open_.genes.empty()) {
      fail(lastGeneLine_, chromosomeContext() + ": the chromosome begun on line " +
                              std::to_string(openLine_) + " is not closed by " + endsText() + " " +
                              where);
    }
    if (structures_.back().chromosomes.empty()) {
      fail(headerLine_, lastGenomeContext() +
                            " holds no chromosome; each chromosome is a list of genes closed by " +
                            endsText());
    }
  }

  void readWord(const MarkedItem& word) {
    std::string_view gene = word.text;
    const char last = gene.back();
    const bool closes = last == ends_.linear || last == ends_.circular;
    if (closes) gene.remove_suffix(1);
    if (structures_.empty()) {
      fail(word.line, (gene.empty() ? "chromosome end " + quoted(word.text)
                                    : "gene " + quoted(gene)) +
                          " before the first genome header (a line \">name\")");
    }
    if (!gene.empty()) addGene(gene, word.line);
    if (closes) closeChromosome(last == ends_.circular, word);
  }

  void addGene(std::string_view word, size_t line) {
    Gene gene;
    std::string_view name = word;
    if (name.front() == '-' || name.front() == '+') {
      gene.sign = name.front() == '-' ? -1 : 1;
      name.remove_prefix(1);
    }
    if (name.empty()) {
      fail(line, chromosomeContext() + ": a lone " + quoted(word) + " without a gene name");
    }
    gene.name = escapeGeneName(name);
    Structure& structure = structures_.back();
    auto entry = structure.copies.find(gene.name);
    if (entry == structure.copies.end()) {
      entry = structure.copies.emplace(gene.name, std::vector<int32_t>{}).first;
    }
    gene.index = static_cast<int32_t>(entry->second.size() + 1);
    entry->second.push_back(gene.index);
    if (open_.genes.empty()) openLine_ = line;
    lastGeneLine_ = line;
    open_.genes.push_back(std::move(gene));
    openLines_.push_back(line);
  }

  void closeChromosome(bool circular, const MarkedItem& end) {
    if (open_.genes.empty()) {
      fail(end.line, chromosomeContext() + ": chromosome end " + quoted(end.text) +
                         " with no gene before it");
    }
    open_.circular = circular;
    structures_.back().chromosomes.push_back(std::move(open_));
    lines_.back().push_back(std::move(openLines_));
    open_ = Chromosome{};
    openLines_.clear();
  }

  MarkedItemCursor items_;
  const std::string& sourceName_;
  const ChromosomeEndMarkers& ends_;
  std::vector<Structure> structures_;
  GeneLines lines_;  // in step with structures_
  Chromosome open_;  // the chromosome being read, not yet closed
  std::vector<size_t> openLines_;  // the lines of its genes
  size_t headerLine_ = 0;
  size_t openLine_ = 0;
  size_t lastGeneLine_ = 0;
};

}  // namespace

StructuresRead readMarkedGenomes(std::string_view text, const std::string& sourceName,
                                 const ChromosomeEndMarkers& ends) {
  return MarkedGenomeReader(text, sourceName, ends).read();
}

}  // namespace paralog
