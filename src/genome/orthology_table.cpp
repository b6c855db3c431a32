#include "genome/orthology_table.h"

#include <stdexcept>
#include <optional>
#include <string_view>
#include <utility>

#include "genome/quoted.h"

namespace paralog {
namespace {

// Fields of a tab-separated line.
std::vector<std::string> tabFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t begin = 0;
  for (size_t end = line.find('\t'); end != std::string_view::npos;
       begin = end + 1, end = line.find('\t', begin)) {
    fields.emplace_back(line.substr(begin, end - begin));
  }
  fields.emplace_back(line.substr(begin));
  return fields;
}

// Fields of a CSV line: a field in double quotes may hold commas and tabs,
// and "" stands for one double quote; `unclosed`, when given, tells whether
// the line ends inside quotes.
std::vector<std::string> csvFields(std::string_view line, bool* unclosed = nullptr) {
  std::vector<std::string> fields(1);
  bool quotedField = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quotedField) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quotedField = false;
      }
    } else if (c == '"') {
      quotedField = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (unclosed != nullptr) *unclosed = quotedField;
  return fields;
}

// The identifiers of one cell: split at any of `separators`, spaces
// around each dropped, empty ones and "*" (proteinortho's "none") left out.
void addMembers(std::string_view cell, std::string_view separators,
                std::vector<std::string>& members) {
  size_t begin = 0;
  while (begin <= cell.size()) {
    size_t end = cell.find_first_of(separators, begin);
    if (end == std::string_view::npos) end = cell.size();
    std::string_view member = cell.substr(begin, end - begin);
    while (!member.empty() && member.front() == ' ') member.remove_prefix(1);
    while (!member.empty() && member.back() == ' ') member.remove_suffix(1);
    if (!member.empty() && member != "*") members.emplace_back(member);
    begin = end + 1;
  }
}

// How one layout's lines are cut into a family.
struct LayoutRules {
  OrthologyLayout layout;
  bool csv;
  size_t firstMemberColumn;
  std::string_view separators;
};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::optional<LayoutRules> rulesOfHeader(std::string_view header) {
  if (startsWith(header, "# Species\tGenes\tAlg.-Conn.")) {
    return LayoutRules{OrthologyLayout::kProteinortho, false, 3, ","};
  }
  if (startsWith(header, "Orthogroup\t")) return LayoutRules{OrthologyLayout::kOrthoFinder, false, 1, ","};
  // OrthoFinder's hierarchical orthogroups (Phylogenetic_Hierarchical_Orthogroups/N0.tsv).
  if (startsWith(header, "HOG\tOG\tGene Tree Parent Clade\t")) {
    return LayoutRules{OrthologyLayout::kOrthoFinder, false, 3, ","};
  }
  const std::vector<std::string> fields = csvFields(header);
  if (fields.size() > 3 && fields[0] == "Gene" && fields[1] == "Non-unique Gene name" &&
      fields[2] == "Annotation") {
    if (fields[3] == "No. isolates") {
      // Paralogs by tabs, or by ";" as Panaroo's own table has them.
      if (fields.size() > 14) return LayoutRules{OrthologyLayout::kRoary, true, 14, "\t;"};
    } else {
      return LayoutRules{OrthologyLayout::kPanaroo, true, 3, ";"};
    }
  }
  return std::nullopt;
}

}  // namespace

const char* layoutLabel(OrthologyLayout layout) {
  switch (layout) {
    case OrthologyLayout::kProteinortho: return "proteinortho";
    case OrthologyLayout::kOrthoFinder: return "OrthoFinder";
    case OrthologyLayout::kRoary: return "Roary";
    case OrthologyLayout::kPanaroo: return "Panaroo";
  }
  return "unknown";
}

OrthologyTable readOrthologyTable(std::istream& in, const std::string& sourceName) {
  std::string line;
  size_t number = 0;
  const auto fail = [&](const std::string& message) {
    throw std::runtime_error(sourceName + ":" + std::to_string(number) + ": " + message);
  };
  const auto nextLine = [&]() -> bool {
    if (!std::getline(in, line)) return false;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  };
  if (!nextLine()) {
    number = 1;
    fail("the orthology table is empty");
  }
  const std::optional<LayoutRules> rules = rulesOfHeader(line);
  if (!rules) {
    fail("not an orthology table of proteinortho (\"# Species<TAB>Genes<TAB>Alg.-Conn....\"), "
         "OrthoFinder (\"Orthogroup<TAB>...\") or Roary/Panaroo (\"Gene,Non-unique Gene name,"
         "Annotation,...\"); the header reads " + quoted(line, 80));
  }
  OrthologyTable table{rules->layout, sourceName, rules->csv ? csvFields(line) : tabFields(line), {}};
  const size_t columns = table.columnNames.size();
  while (nextLine()) {
    if (line.empty() || (rules->layout == OrthologyLayout::kProteinortho && line.front() == '#')) continue;
    bool unclosed = false;
    const std::vector<std::string> fields = rules->csv ? csvFields(line, &unclosed) : tabFields(line);
    if (unclosed) fail("a field's opening double quote is not closed on its line");
    if (fields.size() > columns) {
      fail("the line has " + std::to_string(fields.size()) + " columns, the header " +
           std::to_string(columns));
    }
    OrthologyFamily family;
    family.line = number;
    family.name = rules->layout == OrthologyLayout::kProteinortho
                      ? "PO" + std::to_string(table.families.size() + 1)
                      : fields[0];
    for (size_t column = rules->firstMemberColumn; column < fields.size(); ++column) {
      addMembers(fields[column], rules->separators, family.members);
      family.memberColumns.resize(family.members.size(), column);
    }
    table.families.push_back(std::move(family));
  }
  if (in.bad()) throw std::runtime_error("cannot read input file " + sourceName);
  return table;
}

}  // namespace paralog
