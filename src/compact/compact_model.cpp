#include "compact/compact_model.h"

#include <algorithm>
#include <limits>
#include <set>
#include <string>

#include "compact/conserved_adjacencies.h"

namespace paralog::compact {
namespace {

using Terms = std::vector<std::pair<int32_t, double>>;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The parities (first genome's partner, second genome's partner, piece with
// a free end in each) of the even paths that join the odd piece out.
constexpr std::array<std::array<int, 3>, 4> kTripleParities = {{{0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}}};

// True when the copies of `e` and of the other end of its node are single in
// both genomes and their partners' ends sit together in one node: the node
// and that node then mirror each other.
bool mirroredNode(const PieceGraph& graph, int32_t e) {
  const int32_t other = graph.otherEnd(e);
  int32_t partnerEnds[2];
  const int32_t ends[2] = {e, other};
  for (int i = 0; i < 2; ++i) {
    const int32_t copy = PieceGraph::copyOf(ends[i]);
    if (graph.pairsOf(copy).size() != 1) return false;
    const PieceGraph::Pair& pair = graph.pairs()[graph.pairsOf(copy)[0]];
    const int32_t partner = pair.first == copy ? pair.second : pair.first;
    if (graph.pairsOf(partner).size() != 1) return false;
    partnerEnds[i] = PieceGraph::extremity(partner, ends[i] % 2);
  }
  return graph.otherEnd(partnerEnds[0]) == partnerEnds[1];
}

// The terms with each column once, its coefficients added.
Terms mergedTerms(Terms terms) {
  std::sort(terms.begin(), terms.end());
  Terms merged;
  for (const auto& [column, coefficient] : terms) {
    if (!merged.empty() && merged.back().first == column) merged.back().second += coefficient;
    else merged.emplace_back(column, coefficient);
  }
  return merged;
}

}  // namespace

CompactModel::CompactModel(const PieceGraph& graph, const CopyMatching& guide, bool matchAll, JoinCredit credit)
    : credit_(credit) {
  numberNodes(graph, guide);
  pairsOfCopy_.resize(graph.copies().size());
  for (size_t c = 0; c < graph.copies().size(); ++c) pairsOfCopy_[c] = graph.pairsOf(static_cast<int32_t>(c));
  addPairs(graph);
  if (matchAll) addMatchAllRows(graph);
  addDeadChromosomes(graph);
  addLabels(graph);
  addLowestNodeRows(graph);
  addMessages(graph);
  addEndClasses(graph);
  if (credit_ == JoinCredit::kOwnPieces) addJoinCounters(graph);
  addCycleCountRow(graph);
  addFreeEndCountRow(graph);
}

// Shared nodes of the first genome count no cycle, so they number last: a
// cycle through them is counted at a lower node.
void CompactModel::numberNodes(const PieceGraph& graph, const CopyMatching& guide) {
  const auto& nodes = graph.nodes();
  number_.assign(nodes.size(), 0);
  int32_t next = 1;
  auto give = [&](int32_t v) {
    if (number_[v] == 0 && !nodes[v].telomere() && !graph.sharedFirstNode(v)) number_[v] = next++;
  };
  for (const Piece& piece : walkPieces(graph, guide).pieces) {
    for (const Piece::Step& step : piece.steps) give(step.node);
  }
  for (size_t v = 0; v < nodes.size(); ++v) give(static_cast<int32_t>(v));
  for (size_t v = 0; v < nodes.size(); ++v) {
    if (graph.sharedFirstNode(static_cast<int32_t>(v))) number_[v] = next++;
  }
}

int32_t CompactModel::column(const char* role, VariableKind kind, double upper, double objective) {
  const auto index = program_.addVariable(role + std::to_string(program_.variables().size()));
  ProgramVariable& variable = program_.variables()[index];
  variable.kind = kind;
  variable.upper = upper;
  variable.objective = objective;
  return index;
}

void CompactModel::addRow(Terms terms, Relation relation, double rhs) {
  ProgramRow row;
  row.terms = std::move(terms);
  row.relation = relation;
  row.rhs = rhs;
  program_.rows().push_back(std::move(row));
}

void CompactModel::addMatchSum(Terms& terms, int32_t copy, double coefficient) const {
  for (int32_t pair : pairsOfCopy_[copy]) terms.emplace_back(pairColumn_[pair], coefficient);
}

void CompactModel::addNotFree(Terms& terms, const PieceGraph& graph, int32_t e, double coefficient) const {
  const int32_t copy = PieceGraph::copyOf(e);
  addMatchSum(terms, copy, coefficient);
  const int32_t dead = deadColumn_[graph.copies()[copy].chromosome];
  if (dead >= 0) terms.emplace_back(dead, coefficient);
}

void CompactModel::addPairs(const PieceGraph& graph) {
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    pairColumn_.push_back(column("z", VariableKind::kBinary, 1, -2));
  }
  for (size_t c = 0; c < graph.copies().size(); ++c) {
    if (pairsOfCopy_[c].size() < 2) continue;
    Terms terms;
    addMatchSum(terms, static_cast<int32_t>(c), 1);
    addRow(std::move(terms), Relation::kLessEqual, 1);
  }
}

// Candidate pairs come family by family; each family matches as many pairs
// as its smaller side has copies.
void CompactModel::addMatchAllRows(const PieceGraph& graph) {
  const auto& pairs = graph.pairs();
  for (size_t begin = 0; begin < pairs.size();) {
    const std::string_view family = graph.copies()[pairs[begin].first].name;
    size_t end = begin;
    Terms terms;
    std::set<int32_t> firstCopies, secondCopies;
    for (; end < pairs.size() && graph.copies()[pairs[end].first].name == family; ++end) {
      terms.emplace_back(pairColumn_[end], 1);
      firstCopies.insert(pairs[end].first);
      secondCopies.insert(pairs[end].second);
    }
    const double count = static_cast<double>(std::min(firstCopies.size(), secondCopies.size()));
    addRow(std::move(terms), Relation::kEqual, count);
    begin = end;
  }
}

// A circular chromosome is dead (earns n - 1, its ends are not free) exactly
// when none of its copies is matched.
void CompactModel::addDeadChromosomes(const PieceGraph& graph) {
  deadColumn_.assign(graph.chromosomes().size(), -1);
  for (size_t c = 0; c < graph.chromosomes().size(); ++c) {
    const PieceGraph::ChromosomeInfo& chromosome = graph.chromosomes()[c];
    if (!chromosome.circular || chromosome.copies.empty()) continue;
    const auto n = static_cast<double>(chromosome.copies.size());
    const int32_t dead = column("d", VariableKind::kContinuous, 1, n >= 2 ? -(n - 1) : 0);
    deadColumn_[c] = dead;
    Terms all = {{dead, 1}};
    for (int32_t copy : chromosome.copies) {
      Terms one = {{dead, 1}};
      addMatchSum(one, copy, 1);
      addMatchSum(all, copy, 1);
      addRow(std::move(one), Relation::kLessEqual, 1);
    }
    addRow(std::move(all), Relation::kGreaterEqual, 1);
  }
}

// Labels: equal along matched ends, 0 on a node with an unmatched end, at
// most the node's number; a node may count a cycle only where the label
// reaches its number, so only the lowest-numbered node of a cycle does.
void CompactModel::addLabels(const PieceGraph& graph) {
  labelColumn_.assign(graph.nodes().size(), -1);
  cycleColumn_.assign(graph.nodes().size(), -1);
  for (size_t v = 0; v < graph.nodes().size(); ++v) {
    const PieceGraph::Node& node = graph.nodes()[v];
    if (node.telomere()) continue;
    const double number = number_[v];
    const int32_t label = column("y", VariableKind::kContinuous, number, 0);
    labelColumn_[v] = label;
    for (int32_t e : node.ends) {
      Terms terms = {{label, 1}};
      addMatchSum(terms, PieceGraph::copyOf(e), -number);
      addRow(std::move(terms), Relation::kLessEqual, 0);
    }
    if (graph.sharedFirstNode(static_cast<int32_t>(v))) continue;
    const int32_t cycle = column("p", VariableKind::kBinary, 1, -2);
    cycleColumn_[v] = cycle;
    addRow({{label, 1}, {cycle, -number}}, Relation::kGreaterEqual, 0);
  }
}

int32_t CompactModel::partnerNode(const PieceGraph& graph, int32_t pair, int32_t e) const {
  const PieceGraph::Pair& p = graph.pairs()[pair];
  const int32_t partner = p.first == PieceGraph::copyOf(e) ? p.second : p.first;
  return graph.nodeOf(PieceGraph::extremity(partner, e % 2));
}

// The lowest-numbered node of a cycle has every other node of the cycle
// above it, so each of its ends is matched by a pair whose link leads to a
// higher-numbered node: p(v) <= the sum of those pairs' z, per end. For
// integer values the labels imply it; with a copy's candidates matched a
// third each, it caps p(v) by the share that leads up instead of by 2/3.
void CompactModel::addLowestNodeRows(const PieceGraph& graph) {
  for (size_t v = 0; v < graph.nodes().size(); ++v) {
    if (cycleColumn_[v] < 0) continue;
    for (int32_t e : graph.nodes()[v].ends) {
      Terms terms = {{cycleColumn_[v], 1}};
      for (int32_t pair : pairsOfCopy_[PieceGraph::copyOf(e)]) {
        const int32_t u = partnerNode(graph, pair, e);
        if (!graph.nodes()[u].telomere() && number_[u] > number_[v]) terms.emplace_back(pairColumn_[pair], -1);
      }
      addRow(std::move(terms), Relation::kLessEqual, 0);
    }
  }
}

// Messages: for every end, the kind of the path end and the parity of the
// flips met when walking out of its node by that end.
void CompactModel::addMessages(const PieceGraph& graph) {
  ends_.assign(graph.extremityCount(), {});
  for (int32_t e = 0; e < graph.extremityCount(); ++e) {
    EndColumns& end = ends_[e];
    end.kindTelomere = column("kT", VariableKind::kContinuous, 1, 0);
    end.kindFirst = column("kF", VariableKind::kContinuous, 1, 0);
    end.oddFlips = column("q", VariableKind::kContinuous, 1, 0);
    addRow({{end.kindTelomere, 1}, {end.kindFirst, 1}}, Relation::kLessEqual, 1);
    // A free end is the path's end: its own kind, no flips beyond.
    if (graph.copies()[PieceGraph::copyOf(e)].genome == 0) {
      Terms terms = {{end.kindFirst, 1}};
      addNotFree(terms, graph, e, 1);
      addRow(std::move(terms), Relation::kGreaterEqual, 1);
    } else {
      Terms terms = {{end.kindTelomere, 1}, {end.kindFirst, 1}};
      addNotFree(terms, graph, e, -1);
      addRow(std::move(terms), Relation::kLessEqual, 0);
    }
    // An unmatched end's own walk ends at once, in a free end of its genome.
    const int32_t copy = PieceGraph::copyOf(e);
    Terms telomere = {{end.kindTelomere, 1}};
    addMatchSum(telomere, copy, -1);
    addRow(std::move(telomere), Relation::kLessEqual, 0);
    if (graph.copies()[copy].genome == 0) {
      Terms second = {{end.kindTelomere, 1}, {end.kindFirst, 1}};
      addMatchSum(second, copy, 1);
      addRow(std::move(second), Relation::kGreaterEqual, 1);
    } else {
      Terms firstKind = {{end.kindFirst, 1}};
      addMatchSum(firstKind, copy, -1);
      addRow(std::move(firstKind), Relation::kLessEqual, 0);
    }
    Terms flips = {{end.oddFlips, 1}};
    addNotFree(flips, graph, e, -1);
    addRow(std::move(flips), Relation::kLessEqual, 0);
  }
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    for (int end = 0; end < 2; ++end) addLinkRows(graph, static_cast<int32_t>(p), end);
  }
  addSeeThroughRows(graph);
}

// A shared node of the first genome counts no cycle and numbers last, so a
// node next to it may still be the lowest of its neighbours without being
// the lowest of its cycle: look through the shared node to the node beyond.
void CompactModel::addSeeThroughRows(const PieceGraph& graph) {
  for (size_t w = 0; w < graph.nodes().size(); ++w) {
    if (!graph.sharedFirstNode(static_cast<int32_t>(w))) continue;
    const PieceGraph::Node& node = graph.nodes()[w];
    for (int side = 0; side < 2; ++side) {
      const int32_t in = node.ends[side];
      const int32_t out = node.ends[1 - side];
      for (int32_t e : graph.pairsOf(PieceGraph::copyOf(in))) {
        const int32_t v = partnerNode(graph, e, in);
        if (cycleColumn_[v] < 0) continue;
        for (int32_t f : graph.pairsOf(PieceGraph::copyOf(out))) {
          const int32_t u = partnerNode(graph, f, out);
          if (u == v || !(graph.nodes()[u].telomere() || number_[u] < number_[v])) continue;
          if (e == f) {
            addRow({{cycleColumn_[v], 1}, {pairColumn_[e], 2}}, Relation::kLessEqual, 2);
          } else {
            addRow({{cycleColumn_[v], 1}, {pairColumn_[e], 1}, {pairColumn_[f], 1}}, Relation::kLessEqual, 2);
          }
        }
      }
    }
  }
}

void CompactModel::addLinkRows(const PieceGraph& graph, int32_t pair, int end) {
  const int32_t z = pairColumn_[pair];
  const int32_t a = PieceGraph::extremity(graph.pairs()[pair].first, end);
  const int32_t b = PieceGraph::extremity(graph.pairs()[pair].second, end);
  for (const auto& [x, partner] : {std::make_pair(a, b), std::make_pair(b, a)}) {
    const EndColumns& mine = ends_[x];
    const int32_t beyond = graph.otherEnd(partner);
    if (beyond < 0) {
      addRow({{mine.kindTelomere, 1}, {z, -1}}, Relation::kGreaterEqual, 0);
      addRow({{mine.oddFlips, 1}, {z, 1}}, Relation::kLessEqual, 1);
      continue;
    }
    const EndColumns& next = ends_[beyond];
    for (const auto& [m, n] : {std::make_pair(mine.kindTelomere, next.kindTelomere),
                               std::make_pair(mine.kindFirst, next.kindFirst)}) {
      addRow({{m, 1}, {n, -1}, {z, 1}}, Relation::kLessEqual, 1);
      addRow({{m, 1}, {n, -1}, {z, -1}}, Relation::kGreaterEqual, -1);
    }
    addRow({{mine.oddFlips, 1}, {next.oddFlips, 1}, {z, 1}}, Relation::kLessEqual, 2);
    addRow({{mine.oddFlips, 1}, {next.oddFlips, 1}, {z, -1}}, Relation::kGreaterEqual, 0);
  }
  const int32_t u = labelColumn_[graph.nodeOf(a)];
  const int32_t v = labelColumn_[graph.nodeOf(b)];
  const double nu = u >= 0 ? number_[graph.nodeOf(a)] : 0;
  const double nv = v >= 0 ? number_[graph.nodeOf(b)] : 0;
  if (u >= 0 && v >= 0) {
    addRow({{u, 1}, {v, -1}, {z, nu}}, Relation::kLessEqual, nu);
    addRow({{v, 1}, {u, -1}, {z, nv}}, Relation::kLessEqual, nv);
  } else if (u >= 0) {
    addRow({{u, 1}, {z, nu}}, Relation::kLessEqual, nu);
  } else if (v >= 0) {
    addRow({{v, 1}, {z, nv}}, Relation::kLessEqual, nv);
  }
  // A node linked to a lower-numbered node, or to a telomere, is not the
  // lowest-numbered node of a cycle. Implied by the labels for integer
  // values, this makes the relaxation count far fewer cycles.
  const int32_t higher = u < 0 ? graph.nodeOf(b) : v < 0 ? graph.nodeOf(a) : nu > nv ? graph.nodeOf(a) : graph.nodeOf(b);
  if ((u >= 0 || v >= 0) && cycleColumn_[higher] >= 0) {
    addRow({{cycleColumn_[higher], 1}, {z, 1}}, Relation::kLessEqual, 1);
  }
}

// Every free end may count its piece in one class, read from the messages
// of the other end of its node; telomere ends count even telomere paths.
void CompactModel::addEndClasses(const PieceGraph& graph) {
  for (int32_t e = 0; e < graph.extremityCount(); ++e) addFreeEndClasses(graph, e);
  addMirroredPairRows(graph);
  for (const PieceGraph::Node& node : graph.nodes()) {
    if (!node.telomere()) continue;
    const int32_t e = node.ends[0];
    EndColumns& end = ends_[e];
    end.telomerePath = column("tt", VariableKind::kContinuous, 1, -0.5);
    addRow({{end.telomerePath, 1}, {end.kindTelomere, -1}}, Relation::kLessEqual, 0);
    addRow({{end.telomerePath, 1}, {end.oddFlips, 1}}, Relation::kLessEqual, 1);
    Terms matched = {{end.telomerePath, 1}};
    addMatchSum(matched, PieceGraph::copyOf(e), -1);
    addRow(std::move(matched), Relation::kLessEqual, 0);
  }
}

int32_t CompactModel::addClassColumn(Terms& total, const char* role, double objective) {
  const int32_t c = column(role, VariableKind::kContinuous, 1, objective);
  total.emplace_back(c, 1);
  return c;
}

void CompactModel::addFreeEndClasses(const PieceGraph& graph, int32_t e) {
  EndColumns& end = ends_[e];
  const int32_t other = graph.otherEnd(e);
  Terms total;
  // Open to joins outside the model, a piece from a telomere counts half an
  // even path, one with a free end in each genome half a cycle.
  const bool open = credit_ == JoinCredit::kOpenBound;
  const double telomereCredit = open ? -0.5 : 0;
  const double bothCredit = open ? -1 : 0;
  if (other < 0) {
    end.telomereEven = addClassColumn(total, "te", telomereCredit);
  } else {
    addTwoEndedClasses(graph, e, telomereCredit, bothCredit, total);
  }
  addNotFree(total, graph, e, 1);
  addRow(std::move(total), Relation::kLessEqual, 1);
}

void CompactModel::addTwoEndedClasses(const PieceGraph& graph, int32_t e, double telomereCredit,
                                      double bothCredit, Terms& total) {
  EndColumns& end = ends_[e];
  const bool first = graph.copies()[PieceGraph::copyOf(e)].genome == 0;
  const int32_t other = graph.otherEnd(e);
  const EndColumns& beyond = ends_[other];
  // The piece's flips are this node's plus those beyond the other end.
  auto parity = [&](int32_t c, bool even) {
    if (even) {
      addRow({{c, 1}, {beyond.oddFlips, -1}}, Relation::kLessEqual, 0);
    } else {
      addRow({{c, 1}, {beyond.oddFlips, 1}}, Relation::kLessEqual, 1);
    }
  };
  auto secondKind = [&](int32_t c) {
    addRow({{c, 1}, {beyond.kindTelomere, 1}, {beyond.kindFirst, 1}}, Relation::kLessEqual, 1);
  };
  end.telomereEven = addClassColumn(total, "te", telomereCredit);
  end.telomereOdd = addClassColumn(total, "to", telomereCredit);
  for (const auto& [c, even] : {std::make_pair(end.telomereEven, true), std::make_pair(end.telomereOdd, false)}) {
    addRow({{c, 1}, {beyond.kindTelomere, -1}}, Relation::kLessEqual, 0);
    parity(c, even);
  }
  if (first) {
    end.bothEven = addClassColumn(total, "be", bothCredit);
    end.bothOdd = addClassColumn(total, "bo", bothCredit);
    for (const auto& [c, even] : {std::make_pair(end.bothEven, true), std::make_pair(end.bothOdd, false)}) {
      secondKind(c);
      parity(c, even);
    }
  }
  const bool shared = first && graph.sharedFirstNode(graph.nodeOf(e));
  const bool mirrored = mirroredNode(graph, e);
  // A shared node that mirrors its partner never closes a piece: alone it
  // counts nothing, and with its other end matched the walk comes back
  // by this end's partner, free in the other genome.
  if (shared && mirrored) return;
  end.closed = addClassColumn(total, "cl", -1);
  if (first) {
    addRow({{end.closed, 1}, {beyond.kindFirst, -1}}, Relation::kLessEqual, 0);
  } else {
    secondKind(end.closed);
  }
  if (shared || mirrored) {
    Terms matched = {{end.closed, 1}};
    addMatchSum(matched, PieceGraph::copyOf(other), shared ? -1 : 1);
    addRow(std::move(matched), Relation::kLessEqual, shared ? 0 : 1);
  }
}

// Two mirrored nodes (single-copy genes a and b adjacent in both genomes)
// earn at most 2 between them: a cycle when a and b are both matched, one
// piece with a free end in each genome when one is, and when neither is,
// the second genome's node alone (the first genome's too unless shared,
// which this row leaves out). Implied for integer values; it keeps the
// relaxation from earning all of these at once with a and b half matched.
void CompactModel::addMirroredPairRows(const PieceGraph& graph) {
  for (size_t v = 0; v < graph.nodes().size(); ++v) {
    const PieceGraph::Node& node = graph.nodes()[v];
    if (node.genome != 0 || node.telomere() || !mirroredNode(graph, node.ends[0])) continue;
    const int32_t copy = PieceGraph::copyOf(node.ends[0]);
    const PieceGraph::Pair& pair = graph.pairs()[graph.pairsOf(copy)[0]];
    const int32_t mirror = graph.nodeOf(PieceGraph::extremity(pair.second, node.ends[0] % 2));
    const bool shared = graph.sharedFirstNode(static_cast<int32_t>(v));
    Terms terms;
    for (int32_t n : {static_cast<int32_t>(v), mirror}) {
      if (cycleColumn_[n] >= 0) terms.emplace_back(cycleColumn_[n], 2);
      for (int32_t e : graph.nodes()[n].ends) {
        const EndColumns& end = ends_[e];
        for (int32_t c : {end.telomereEven, end.telomereOdd, end.bothEven, end.bothOdd}) {
          if (c >= 0) terms.emplace_back(c, 1);
        }
        if (shared && n == mirror && end.closed >= 0) terms.emplace_back(end.closed, 1);
      }
    }
    addRow(std::move(terms), Relation::kLessEqual, 2);
  }
}

// The best joins, as counters bounded by the class counts: pairs of pieces
// with a free end in each genome, even pairs of telomere pieces per genome,
// and at most one even path through the odd piece out.
void CompactModel::addJoinCounters(const PieceGraph& graph) {
  pairedCycles_ = column("h", VariableKind::kGeneral, kInfinity, -2);
  evenPairs_ = {column("x", VariableKind::kGeneral, kInfinity, -1),
                column("x", VariableKind::kGeneral, kInfinity, -1)};
  for (int32_t& triple : triples_) triple = column("w", VariableKind::kBinary, 1, -1);
  Terms both = {{pairedCycles_, 2}};
  std::array<Terms, 2> bothByParity;
  std::array<std::array<Terms, 2>, 2> telomereByParity;  // [genome][odd]
  for (int i = 0; i < 4; ++i) {
    both.emplace_back(triples_[i], 1);
    bothByParity[kTripleParities[i][2]].emplace_back(triples_[i], 1);
    for (int k = 0; k < 2; ++k) {
      telomereByParity[k][kTripleParities[i][k]].emplace_back(triples_[i], 1);
    }
  }
  for (int k = 0; k < 2; ++k) {
    for (int odd = 0; odd < 2; ++odd) telomereByParity[k][odd].emplace_back(evenPairs_[k], 1);
  }
  for (int32_t e = 0; e < graph.extremityCount(); ++e) {
    const EndColumns& end = ends_[e];
    const int k = graph.copies()[PieceGraph::copyOf(e)].genome;
    if (end.bothEven >= 0) {
      both.emplace_back(end.bothEven, -1);
      both.emplace_back(end.bothOdd, -1);
      bothByParity[0].emplace_back(end.bothEven, -1);
      bothByParity[1].emplace_back(end.bothOdd, -1);
    }
    if (end.telomereEven >= 0) telomereByParity[k][0].emplace_back(end.telomereEven, -1);
    if (end.telomereOdd >= 0) telomereByParity[k][1].emplace_back(end.telomereOdd, -1);
  }
  addRow(std::move(both), Relation::kLessEqual, 0);
  for (Terms& terms : bothByParity) addRow(std::move(terms), Relation::kLessEqual, 0);
  addRow({{triples_[0], 1}, {triples_[1], 1}, {triples_[2], 1}, {triples_[3], 1}}, Relation::kLessEqual, 1);
  for (auto& genome : telomereByParity) {
    for (Terms& terms : genome) addRow(std::move(terms), Relation::kLessEqual, 0);
  }
}

// Every cycle has at least two links, and one of exactly two is an
// adjacency of each genome whose two ends are matched to each other
// (conserved): with C cycles of which C2 conserved, 2 C2 + 4 (C - C2) <= 2|M|,
// so 2 C <= |M| + C2. C2 is bounded by one marker per possible conserved
// adjacency, at most each of its two pairs. Implied for integer values,
// this keeps the relaxation from counting cycles that far genomes cannot
// close.
void CompactModel::addCycleCountRow(const PieceGraph& graph) {
  Terms terms;
  for (int32_t c : cycleColumn_) {
    if (c >= 0) terms.emplace_back(c, 2);
  }
  for (int32_t z : pairColumn_) terms.emplace_back(z, -1);
  for (const ConservedAdjacency& adjacency : conservedAdjacencies(graph)) {
    const int32_t p = adjacency.pair;
    const int32_t q = adjacency.otherPair;
    const int32_t conserved = column("s", VariableKind::kContinuous, 1, 0);
    conserved_.push_back({conserved, adjacency});
    addRow({{conserved, 1}, {pairColumn_[p], -1}}, Relation::kLessEqual, 0);
    if (q != p) addRow({{conserved, 1}, {pairColumn_[q], -1}}, Relation::kLessEqual, 0);
    terms.emplace_back(conserved, -1);
  }
  addRow(std::move(terms), Relation::kLessEqual, 0);
}

// Every free end ends one piece, and a piece with a free end in each genome
// is counted by the class of its first genome's end only: counting that
// class twice, the classes of all ends add up to at most the free ends.
// Implied for integer values (the second genome's end of such a piece has
// no class at 1); the relaxation otherwise spends each free end of the
// second genome on a piece of its own as well.
void CompactModel::addFreeEndCountRow(const PieceGraph& graph) {
  Terms terms;
  double ends = 0;
  for (int32_t e = 0; e < graph.extremityCount(); ++e) {
    const EndColumns& end = ends_[e];
    for (int32_t c : {end.telomereEven, end.telomereOdd, end.closed}) {
      if (c >= 0) terms.emplace_back(c, 1);
    }
    for (int32_t c : {end.bothEven, end.bothOdd}) {
      if (c >= 0) terms.emplace_back(c, 2);
    }
    addNotFree(terms, graph, e, 1);
    ++ends;
  }
  addRow(mergedTerms(std::move(terms)), Relation::kLessEqual, ends);
}

std::array<int, 3> CompactModel::tripleParities(int triple) { return kTripleParities[triple]; }

CopyMatching CompactModel::matchingOf(const PieceGraph& graph, const std::vector<double>& values) const {
  std::vector<int32_t> pairs;
  for (size_t p = 0; p < pairColumn_.size(); ++p) {
    if (values[pairColumn_[p]] > 0.5) pairs.push_back(static_cast<int32_t>(p));
  }
  return CopyMatching::of(graph, pairs);
}

}  // namespace paralog::compact
