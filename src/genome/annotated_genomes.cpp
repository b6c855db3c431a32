#include "genome/annotated_genomes.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "genome/quoted.h"

namespace paralog {
namespace {

constexpr int32_t kNoFamily = -1;

// Where one gene is: genome, chromosome and position, all 0-based.
struct GenePlace {
  size_t genome = 0;
  size_t chromosome = 0;
  size_t gene = 0;
  bool operator==(const GenePlace& other) const {
    return genome == other.genome && chromosome == other.chromosome && gene == other.gene;
  }
};

// An identifier's gene, or the first two genes it names when it names more.
struct IdentifierEntry {
  GenePlace place;
  bool ambiguous = false;
  GenePlace other;
};

std::string sanitized(std::string_view source) {
  std::string name(source);
  for (char& c : name) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!keep) c = '_';
  }
  return name.empty() ? "_" : name;
}

// Gives every family and lone gene a distinct valid name.
class NameGiver {
 public:
  std::string give(std::string_view source) {
    const std::string base = sanitized(source);
    std::string name = base;
    for (int suffix = 2; !used_.insert(name).second; ++suffix) name = base + "_" + std::to_string(suffix);
    return name;
  }

 private:
  std::unordered_set<std::string> used_;
};

// Joins the genomes' genes with the table's families.
class FamilyAssignment {
 public:
  FamilyAssignment(const std::vector<AnnotatedGenome>& genomes, const OrthologyTable& table)
      : genomes_(genomes), table_(table) {
    families_.resize(genomes.size());
    for (size_t g = 0; g < genomes.size(); ++g) {
      for (size_t c = 0; c < genomes[g].chromosomes.size(); ++c) {
        const std::vector<AnnotatedGene>& genes = genomes[g].chromosomes[c].genes;
        families_[g].emplace_back(genes.size(), kNoFamily);
        for (size_t i = 0; i < genes.size(); ++i) {
          for (const std::string& identifier : genes[i].identifiers) index(identifier, {g, c, i});
        }
      }
    }
  }

  void assign() {
    for (size_t f = 0; f < table_.families.size(); ++f) {
      for (const std::string& member : table_.families[f].members) assignMember(member, f);
    }
  }

  StructuresRead structures() {
    NameGiver names;
    std::vector<std::string> familyNames;
    for (const OrthologyFamily& family : table_.families) familyNames.push_back(names.give(family.name));
    StructuresRead read;
    for (size_t g = 0; g < genomes_.size(); ++g) {
      Structure structure;
      structure.id = static_cast<int32_t>(g + 1);
      structure.name = genomes_[g].name;
      read.lines.emplace_back();
      for (size_t c = 0; c < genomes_[g].chromosomes.size(); ++c) {
        const AnnotatedChromosome& source = genomes_[g].chromosomes[c];
        Chromosome chromosome;
        chromosome.circular = source.circular;
        read.lines.back().emplace_back();
        for (size_t i = 0; i < source.genes.size(); ++i) {
          const AnnotatedGene& annotated = source.genes[i];
          const int32_t family = families_[g][c][i];
          Gene gene;
          gene.name = family != kNoFamily ? familyNames[family] : names.give(loneName(source, annotated));
          gene.sign = annotated.sign;
          std::vector<int32_t>& indices = structure.copies[gene.name];
          gene.index = static_cast<int32_t>(indices.size() + 1);
          indices.push_back(gene.index);
          chromosome.genes.push_back(std::move(gene));
          read.lines.back().back().push_back(annotated.line);
        }
        structure.chromosomes.push_back(std::move(chromosome));
      }
      read.structures.push_back(std::move(structure));
    }
    return read;
  }

 private:
  static std::string loneName(const AnnotatedChromosome& chromosome, const AnnotatedGene& gene) {
    if (!gene.identifiers.empty()) return gene.identifiers.front();
    return chromosome.seqid + "_" + std::to_string(gene.start);
  }

  void index(const std::string& identifier, GenePlace place) {
    const auto [entry, added] = identifiers_.emplace(identifier, IdentifierEntry{place, false, {}});
    if (!added && !entry->second.ambiguous && !(entry->second.place == place)) {
      entry->second.ambiguous = true;
      entry->second.other = place;
    }
  }

  std::string placeText(GenePlace place) const {
    const AnnotatedGenome& genome = genomes_[place.genome];
    return genome.sourceName + ":" + std::to_string(genome.chromosomes[place.chromosome].genes[place.gene].line);
  }

  [[noreturn]] void fail(size_t family, const std::string& message) const {
    throw std::runtime_error(table_.sourceName + ":" + std::to_string(table_.families[family].line) + ": " + message);
  }

  void assignMember(const std::string& member, size_t family) {
    const auto found = identifiers_.find(member);
    if (found == identifiers_.end()) {
      fail(family, "the gene " + quoted(member) +
                       " is in no annotation file (looked up among the ID, Name, locus_tag and protein_id attributes)");
    }
    const IdentifierEntry& entry = found->second;
    if (entry.ambiguous) {
      fail(family, "the gene " + quoted(member) + " names two genes, at " + placeText(entry.place) + " and " +
                       placeText(entry.other));
    }
    int32_t& assigned = families_[entry.place.genome][entry.place.chromosome][entry.place.gene];
    if (assigned != kNoFamily && assigned != static_cast<int32_t>(family)) {
      fail(family, "the gene " + quoted(member) + " (" + placeText(entry.place) +
                       ") is in two families, this one and the one of line " +
                       std::to_string(table_.families[assigned].line));
    }
    assigned = static_cast<int32_t>(family);
  }

  const std::vector<AnnotatedGenome>& genomes_;
  const OrthologyTable& table_;
  std::unordered_map<std::string, IdentifierEntry> identifiers_;
  std::vector<std::vector<std::vector<int32_t>>> families_;  // [genome][chromosome][gene]
};

}  // namespace

StructuresRead structuresOfAnnotations(const std::vector<AnnotatedGenome>& genomes,
                                       const OrthologyTable& table) {
  FamilyAssignment assignment(genomes, table);
  assignment.assign();
  return assignment.structures();
}

}  // namespace paralog
