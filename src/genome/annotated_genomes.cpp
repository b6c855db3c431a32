#include "genome/annotated_genomes.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

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

// The genes an identifier names, in genome and position order, each once.
// The first apart, so that an identifier of one gene allocates nothing.
struct IdentifierEntry {
  GenePlace first;
  std::vector<GenePlace> more;
  const GenePlace& last() const { return more.empty() ? first : more.back(); }
};

constexpr size_t kNoGenome = static_cast<size_t>(-1);

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
    findColumnGenomes();
    for (size_t f = 0; f < table_.families.size(); ++f) {
      const OrthologyFamily& family = table_.families[f];
      for (size_t m = 0; m < family.members.size(); ++m) {
        assignMember(family.members[m], columnGenome_[family.memberColumns[m]], f);
      }
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

  // A column holds the genes of the genome its head names ("alpha" or
  // "alpha.faa" for alpha.gff), else of the one genome that has every
  // member of the column found in one genome only (none when they differ).
  void findColumnGenomes() {
    std::unordered_map<std::string, size_t> genomeOfName;
    for (size_t g = 0; g < genomes_.size(); ++g) genomeOfName.emplace(genomes_[g].name, g);
    std::vector<bool> named(table_.columnNames.size(), false);
    std::vector<bool> mixed(table_.columnNames.size(), false);
    columnGenome_.assign(table_.columnNames.size(), kNoGenome);
    for (size_t column = 0; column < table_.columnNames.size(); ++column) {
      const std::string& head = table_.columnNames[column];
      auto found = genomeOfName.find(head);
      if (found == genomeOfName.end()) found = genomeOfName.find(genomeNameOfPath(head));
      if (found != genomeOfName.end()) columnGenome_[column] = found->second;
      named[column] = found != genomeOfName.end();
    }
    for (const OrthologyFamily& family : table_.families) {
      for (size_t m = 0; m < family.members.size(); ++m) {
        const size_t column = family.memberColumns[m];
        const IdentifierEntry* entry = named[column] ? nullptr : lookup(family.members[m]);
        if (entry == nullptr || entry->first.genome != entry->last().genome) continue;
        if (columnGenome_[column] != kNoGenome && columnGenome_[column] != entry->first.genome) mixed[column] = true;
        columnGenome_[column] = entry->first.genome;
      }
    }
    for (size_t column = 0; column < table_.columnNames.size(); ++column) {
      if (mixed[column]) columnGenome_[column] = kNoGenome;
    }
  }

  void index(const std::string& identifier, GenePlace place) {
    const auto [entry, added] = identifiers_.emplace(identifier, IdentifierEntry{place, {}});
    if (!added && !(entry->second.last() == place)) entry->second.more.push_back(place);
  }

  std::string placeText(GenePlace place) const {
    const AnnotatedGenome& genome = genomes_[place.genome];
    return genome.sourceName + ":" + std::to_string(genome.chromosomes[place.chromosome].genes[place.gene].line);
  }

  [[noreturn]] void fail(size_t family, const std::string& message) const {
    throw std::runtime_error(table_.sourceName + ":" + std::to_string(table_.families[family].line) + ": " + message);
  }

  // The genes of a member, or null when no identifier names them. Tools may
  // write a protein's whole FASTA header (the first word is its ID) and
  // Panaroo marks genes with a premature stop ("_stop") or an odd length
  // ("_len").
  const IdentifierEntry* lookup(const std::string& member) const {
    auto found = identifiers_.find(member);
    if (found == identifiers_.end()) found = identifiers_.find(member.substr(0, member.find(' ')));
    for (const char* suffix : {"_stop", "_len"}) {
      const size_t length = std::char_traits<char>::length(suffix);
      if (found == identifiers_.end() && member.size() > length &&
          member.compare(member.size() - length, length, suffix) == 0) {
        found = identifiers_.find(member.substr(0, member.size() - length));
      }
    }
    return found != identifiers_.end() ? &found->second : nullptr;
  }

  // The genes of a member, or null for a gene the annotations cannot have:
  // Panaroo's genes found again in the sequence ("<n>_refound_<m>").
  const IdentifierEntry* entryOf(const std::string& member, size_t family) const {
    if (const IdentifierEntry* entry = lookup(member)) return entry;
    if (table_.layout != OrthologyLayout::kProteinortho && table_.layout != OrthologyLayout::kOrthoFinder &&
        member.find("_refound_") != std::string::npos) {
      return nullptr;
    }
    fail(family, "the gene " + quoted(member) +
                     " is in no annotation file (looked up among the ID, Name, locus_tag and protein_id attributes)");
  }

  // A member names the genes of its identifier in its column's genome (one
  // protein of a RefSeq pair has one accession in both), or, where the
  // column names no genome, the genes of its identifier in one file.
  void assignMember(const std::string& member, size_t columnGenome, size_t family) {
    const IdentifierEntry* entry = entryOf(member, family);
    if (entry == nullptr) return;
    bool inColumn = entry->first.genome == columnGenome;
    for (const GenePlace& place : entry->more) inColumn = inColumn || place.genome == columnGenome;
    const GenePlace* chosen = nullptr;
    const auto take = [&](const GenePlace& place) {
      if (inColumn && place.genome != columnGenome) return;
      if (chosen == nullptr) chosen = &place;
      if (place.genome != chosen->genome) {
        fail(family, "the gene " + quoted(member) + " names two genes, at " + placeText(*chosen) + " and " +
                         placeText(place));
      }
      int32_t& assigned = families_[place.genome][place.chromosome][place.gene];
      if (assigned != kNoFamily && assigned != static_cast<int32_t>(family)) {
        fail(family, "the gene " + quoted(member) + " (" + placeText(place) +
                         ") is in two families, this one and the one of line " +
                         std::to_string(table_.families[assigned].line));
      }
      assigned = static_cast<int32_t>(family);
    };
    take(entry->first);
    for (const GenePlace& place : entry->more) take(place);
  }

  const std::vector<AnnotatedGenome>& genomes_;
  const OrthologyTable& table_;
  std::unordered_map<std::string, IdentifierEntry> identifiers_;
  std::vector<std::vector<std::vector<int32_t>>> families_;  // [genome][chromosome][gene]
  std::vector<size_t> columnGenome_;  // the genome of each table column, or kNoGenome
};

}  // namespace

StructuresRead structuresOfAnnotations(const std::vector<AnnotatedGenome>& genomes,
                                       const OrthologyTable& table) {
  FamilyAssignment assignment(genomes, table);
  assignment.assign();
  return assignment.structures();
}

}  // namespace paralog
