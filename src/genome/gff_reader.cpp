#include "genome/gff_reader.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "genome/quoted.h"

namespace paralog {
namespace {

constexpr size_t kColumns = 9;
constexpr const char* kIdentifierTags[] = {"ID", "Name", "locus_tag", "protein_id"};

// Splits `text` at every `separator`; the views point into `text`.
std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t begin = 0;
  for (size_t end = text.find(separator); end != std::string_view::npos;
       begin = end + 1, end = text.find(separator, begin)) {
    parts.push_back(text.substr(begin, end - begin));
  }
  parts.push_back(text.substr(begin));
  return parts;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// GFF3 writes reserved characters of values as "%" and two hex digits.
std::string percentDecoded(std::string_view value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size() && hexValue(value[i + 1]) >= 0 &&
        hexValue(value[i + 2]) >= 0) {
      text += static_cast<char>(hexValue(value[i + 1]) * 16 + hexValue(value[i + 2]));
      i += 2;
    } else {
      text += value[i];
    }
  }
  return text;
}

// The tag=value pairs of column 9, one per value of a tag, values decoded;
// spaces around a pair are dropped.
std::vector<std::pair<std::string_view, std::string>> attributesOf(std::string_view column) {
  std::vector<std::pair<std::string_view, std::string>> attributes;
  for (std::string_view pair : split(column, ';')) {
    while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
    while (!pair.empty() && (pair.back() == ' ' || pair.back() == '\r')) pair.remove_suffix(1);
    const size_t equals = pair.find('=');
    if (pair.empty() || equals == std::string_view::npos) continue;
    // Several values of one tag are separated by ",".
    for (std::string_view value : split(pair.substr(equals + 1), ',')) {
      attributes.emplace_back(pair.substr(0, equals), percentDecoded(value));
    }
  }
  return attributes;
}

// Reads the lines of one file into its chromosomes.
class GffReader {
 public:
  GffReader(const std::string& sourceName, const GffChoices& choices)
      : sourceName_(sourceName), choices_(choices) {}

  void readLine(std::string_view line, size_t number) {
    line_ = number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) return;
    if (line.front() == '#') {
      if (line.rfind("##sequence-region", 0) == 0) readRegionPragma(line);
      return;
    }
    const std::vector<std::string_view> columns = split(line, '\t');
    if (columns.size() != kColumns) {
      fail("a feature line has " + std::to_string(kColumns) +
           " tab-separated columns, this one " + std::to_string(columns.size()));
    }
    readFeature(columns);
  }

  AnnotatedGenome finish(const std::string& name) {
    adoptWaitingChildren();
    AnnotatedGenome genome{name, sourceName_, {}};
    for (AnnotatedChromosome& chromosome : chromosomes_) {
      if (chromosome.genes.empty()) continue;
      const auto byStart = [](const AnnotatedGene& a, const AnnotatedGene& b) {
        return a.start < b.start;
      };
      if (!std::is_sorted(chromosome.genes.begin(), chromosome.genes.end(), byStart)) {
        std::stable_sort(chromosome.genes.begin(), chromosome.genes.end(), byStart);
      }
      if (choices_.allCircular) chromosome.circular = true;
      genome.chromosomes.push_back(std::move(chromosome));
    }
    if (genome.chromosomes.empty()) {
      fail("the file ends without a " + quoted(choices_.geneFeature) +
           " feature (choose the feature type with --gff-feature)");
    }
    return genome;
  }

 private:
  struct GeneAt {
    size_t chromosome;
    size_t gene;
  };

  [[noreturn]] void fail(const std::string& message) const {
    throw std::runtime_error(sourceName_ + ":" + std::to_string(line_) + ": " + message);
  }

  size_t chromosomeOf(std::string_view seqid) {
    const auto [entry, added] = chromosomeIndex_.emplace(std::string(seqid), chromosomes_.size());
    if (added) chromosomes_.push_back(AnnotatedChromosome{std::string(seqid), false, {}});
    return entry->second;
  }

  void readRegionPragma(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::string_view word : split(line, ' ')) {
      if (!word.empty()) words.push_back(word);
    }
    if (words.size() >= 2) chromosomeOf(words[1]);
  }

  int64_t startOf(std::string_view column) const {
    int64_t start = 0;
    const bool digits = !column.empty() && column.size() <= 15 &&
                        column.find_first_not_of("0123456789") == std::string_view::npos;
    if (digits) start = std::stoll(std::string(column));
    if (start < 1) fail("the start " + quoted(column) + " is not a positive whole number");
    return start;
  }

  void readFeature(const std::vector<std::string_view>& columns) {
    const size_t chromosome = chromosomeOf(columns[0]);
    const auto attributes = attributesOf(columns[8]);
    if (columns[2] == "region") {
      for (const auto& [tag, value] : attributes) {
        if (tag == "Is_circular" && value == "true") chromosomes_[chromosome].circular = true;
      }
      return;
    }
    if (columns[2] == choices_.geneFeature) {
      readGene(chromosome, columns, attributes);
    } else {
      readChild(attributes);
    }
  }

  void readGene(size_t chromosome, const std::vector<std::string_view>& columns,
                const std::vector<std::pair<std::string_view, std::string>>& attributes) {
    const int64_t start = startOf(columns[3]);
    for (const auto& [tag, value] : attributes) {
      if (tag != "ID") continue;
      const auto known = featureIndex_.find(value);
      if (known != featureIndex_.end() && known->second.chromosome == chromosome) {
        AnnotatedGene& gene = chromosomes_[chromosome].genes[known->second.gene];
        gene.start = std::min(gene.start, start);
        return;
      }
    }
    AnnotatedGene gene;
    gene.start = start;
    gene.sign = columns[6] == "-" ? -1 : 1;
    gene.line = line_;
    std::vector<AnnotatedGene>& genes = chromosomes_[chromosome].genes;
    genes.push_back(std::move(gene));
    addIdentifiers(GeneAt{chromosome, genes.size() - 1}, attributes);
  }

  // A feature of another type gives its names to the gene its Parent leads
  // to; one whose parent is not read yet waits for the end of the file.
  void readChild(const std::vector<std::pair<std::string_view, std::string>>& attributes) {
    if (adoptChild(attributes)) return;
    bool hasParent = false;
    for (const auto& attribute : attributes) hasParent = hasParent || attribute.first == "Parent";
    if (hasParent) waitingChildren_.emplace_back(attributes.begin(), attributes.end());
  }

  template <typename Attributes>
  bool adoptChild(const Attributes& attributes) {
    for (const auto& [tag, value] : attributes) {
      if (tag != "Parent") continue;
      const auto found = featureIndex_.find(value);
      if (found == featureIndex_.end()) continue;
      addIdentifiers(found->second, attributes);
      return true;
    }
    return false;
  }

  // Children written before their parents (GFF3 allows any order); each
  // round adopts those whose parent is known, until a round adopts none.
  void adoptWaitingChildren() {
    for (size_t before = 0; before != waitingChildren_.size();) {
      before = waitingChildren_.size();
      std::vector<std::vector<std::pair<std::string, std::string>>> still;
      for (auto& attributes : waitingChildren_) {
        if (!adoptChild(attributes)) still.push_back(std::move(attributes));
      }
      waitingChildren_ = std::move(still);
    }
  }

  template <typename Attributes>
  void addIdentifiers(GeneAt at, const Attributes& attributes) {
    std::vector<std::string>& identifiers = chromosomes_[at.chromosome].genes[at.gene].identifiers;
    for (const char* wanted : kIdentifierTags) {
      for (const auto& [tag, value] : attributes) {
        if (tag != wanted || value.empty()) continue;
        if (tag == "ID") featureIndex_.emplace(value, at);
        if (std::find(identifiers.begin(), identifiers.end(), value) == identifiers.end()) {
          identifiers.push_back(value);
        }
      }
    }
  }

  const std::string& sourceName_;
  const GffChoices& choices_;
  std::vector<AnnotatedChromosome> chromosomes_;
  std::unordered_map<std::string, size_t> chromosomeIndex_;
  std::unordered_map<std::string, GeneAt> featureIndex_;  // feature ID -> the gene it belongs to
  std::vector<std::vector<std::pair<std::string, std::string>>> waitingChildren_;
  size_t line_ = 0;
};

}  // namespace

std::string genomeNameOfPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

AnnotatedGenome readGff(std::istream& in, const std::string& sourceName,
                        const GffChoices& choices) {
  GffReader reader(sourceName, choices);
  std::string line;
  size_t number = 0;
  while (std::getline(in, line)) {
    ++number;
    // The sequences follow "##FASTA", or start with a ">" line without it.
    if (line.rfind("##FASTA", 0) == 0 || line.rfind(">", 0) == 0) break;
    reader.readLine(line, number);
  }
  if (in.bad()) throw std::runtime_error("cannot read input file " + sourceName);
  reader.readLine("", number);
  return reader.finish(genomeNameOfPath(sourceName));
}

}  // namespace paralog
