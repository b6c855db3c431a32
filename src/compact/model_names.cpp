#include "compact/model_names.h"

#include <algorithm>
#include <array>

#include "common/decimal.h"
#include "lp/variable_names.h"

namespace paralog::compact {
namespace {

// The prefixes before the first "_" of the names below.
constexpr std::array<std::string_view, 17> kPrefixes = {"m", "d", "y", "c", "kt", "kf", "q", "te", "to",
                                                        "be", "bo", "cl", "tt", "x", "w", "s", "v"};

// Gives names to columns by index; a column already named keeps its name.
class ColumnNames {
 public:
  ColumnNames(const PieceGraph& graph, size_t columns, int32_t firstId, int32_t secondId)
      : graph_(graph), names_(columns), ids_{firstId, secondId} {}

  void name(int32_t column, std::string text) {
    if (column >= 0) names_[column] = std::move(text);
  }
  // "gene.i" then "t" or "h": the key of extremity `e`.
  std::string key(int32_t e) const {
    const PieceGraph::Copy& copy = graph_.copies()[PieceGraph::copyOf(e)];
    std::string text(copy.name);
    text += '.';
    appendDecimal(text, copy.index);
    text += e % 2 == 0 ? 't' : 'h';
    return text;
  }
  int32_t idOf(int genome) const { return ids_[genome]; }
  // prefix k "_" key, for gene end `e`.
  std::string endName(std::string_view prefix, int32_t e) const {
    std::string text(prefix);
    appendDecimal(text, idOf(graph_.copies()[PieceGraph::copyOf(e)].genome));
    text += '_';
    return text + key(e);
  }
  std::vector<std::string> finish() {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (names_[i].empty()) names_[i] = "v_" + std::to_string(i);
    }
    return std::move(names_);
  }

 private:
  const PieceGraph& graph_;
  std::vector<std::string> names_;
  std::array<int32_t, 2> ids_;
};

void namePairs(const PieceGraph& graph, const CompactModel& model, ColumnNames& names) {
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    const PieceGraph::Copy& a = graph.copies()[graph.pairs()[p].first];
    const PieceGraph::Copy& b = graph.copies()[graph.pairs()[p].second];
    std::string text = "m_";
    text.append(a.name);
    text += '.';
    appendDecimal(text, a.index);
    text += '.';
    appendDecimal(text, b.index);
    names.name(model.pairColumn(static_cast<int32_t>(p)), std::move(text));
  }
}

// Chromosomes are numbered from 0 within their genome, as the o names do.
void nameChromosomes(const PieceGraph& graph, const CompactModel& model, ColumnNames& names) {
  std::array<int32_t, 2> next = {0, 0};
  for (size_t c = 0; c < graph.chromosomes().size(); ++c) {
    const int genome = graph.chromosomes()[c].genome;
    std::string text = "d_";
    appendDecimal(text, names.idOf(genome));
    text += '_';
    appendDecimal(text, next[genome]++);
    names.name(model.deadColumn(static_cast<int32_t>(c)), std::move(text));
  }
}

void nameNodes(const PieceGraph& graph, const CompactModel& model, ColumnNames& names) {
  for (size_t v = 0; v < graph.nodes().size(); ++v) {
    const PieceGraph::Node& node = graph.nodes()[v];
    if (node.telomere()) continue;
    const std::string a = names.key(node.ends[0]);
    const std::string b = names.key(node.ends[1]);
    std::string label, cycle;
    appendPairName(label, "y_", names.idOf(node.genome), a, b);
    appendPairName(cycle, "c_", names.idOf(node.genome), a, b);
    names.name(model.labelColumn(static_cast<int32_t>(v)), std::move(label));
    names.name(model.cycleColumn(static_cast<int32_t>(v)), std::move(cycle));
  }
}

// A conserved adjacency's marker: the first genome's adjacency, then the
// copy index of the partner of its first end.
void nameConserved(const PieceGraph& graph, const CompactModel& model, ColumnNames& names) {
  for (const CompactModel::ConservedMarker& marker : model.conservedMarkers()) {
    const PieceGraph::Node& node = graph.nodes()[marker.adjacency.node];
    std::string text;
    appendPairName(text, "s_", names.idOf(0), names.key(node.ends[0]), names.key(node.ends[1]));
    text += '_';
    appendDecimal(text, graph.copies()[graph.pairs()[marker.adjacency.pair].second].index);
    names.name(marker.column, std::move(text));
  }
}

void nameEnds(const PieceGraph& graph, const CompactModel& model, ColumnNames& names) {
  for (int32_t e = 0; e < graph.extremityCount(); ++e) {
    const CompactModel::EndColumns& end = model.endColumns(e);
    const std::pair<int32_t, std::string_view> roles[] = {
        {end.kindTelomere, "kt_"}, {end.kindFirst, "kf_"}, {end.oddFlips, "q_"},  {end.telomereEven, "te_"},
        {end.telomereOdd, "to_"},  {end.bothEven, "be_"},  {end.bothOdd, "bo_"}, {end.closed, "cl_"},
        {end.telomerePath, "tt_"}};
    for (const auto& [column, prefix] : roles) {
      if (column >= 0) names.name(column, names.endName(prefix, e));
    }
  }
}

void nameCounters(const CompactModel& model, ColumnNames& names) {
  names.name(model.pairedCyclesColumn(), "h");
  for (int k = 0; k < 2; ++k) names.name(model.evenPairsColumns()[k], "x_" + std::to_string(names.idOf(k)));
  for (int i = 0; i < 4; ++i) {
    std::string text = "w_";
    for (int parity : CompactModel::tripleParities(i)) text += static_cast<char>('0' + parity);
    names.name(model.tripleColumns()[i], std::move(text));
  }
}

}  // namespace

std::vector<std::string> compactColumnNames(const PieceGraph& graph, const CompactModel& model, int32_t firstId,
                                            int32_t secondId) {
  ColumnNames names(graph, model.program().variables().size(), firstId, secondId);
  namePairs(graph, model, names);
  nameChromosomes(graph, model, names);
  nameNodes(graph, model, names);
  nameEnds(graph, model, names);
  nameConserved(graph, model, names);
  nameCounters(model, names);
  return names.finish();
}

bool isCompactModelName(std::string_view name) {
  if (name == "h") return true;
  const size_t underscore = name.find('_');
  if (underscore == std::string_view::npos) return false;
  const std::string_view prefix = name.substr(0, underscore);
  return std::find(kPrefixes.begin(), kPrefixes.end(), prefix) != kPrefixes.end();
}

}  // namespace paralog::compact
