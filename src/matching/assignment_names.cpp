#include "matching/assignment_names.h"

#include <stdexcept>
#include <string>

namespace paralog {
namespace {

// prefix k "_" key, or prefix k "_" lo hi with the two keys in byte order.
std::string& spell(std::string& out, std::string_view prefix, int32_t k, const std::string& a,
                   const std::string* b = nullptr) {
  out.assign(prefix);
  out += std::to_string(k);
  out += '_';
  if (b != nullptr && *b < a) {
    out += *b;
    out += a;
  } else {
    out += a;
    if (b != nullptr) out += *b;
  }
  return out;
}

}  // namespace

void forEachNonZeroVariable(const GenomePairGraph& graph, const MatchingAssignment& assignment,
                            const std::function<void(std::string_view name, int64_t value)>& visit) {
  std::string name;
  for (const CopyPair& pair : assignment.matched) {
    const GraphCopy& first = graph.copies(0)[pair.first];
    name = "z_" + graph.geneNames()[first.gene] + "." + std::to_string(first.index) + "." +
           std::to_string(graph.copies(1)[pair.second].index);
    visit(name, 1);
  }
  for (const auto& [a, b] : assignment.joins) {
    // t names of a genome's ends carry the other genome's id.
    visit(spell(name, "t_", graph.id(1 - graph.genomeOfEnd(a)), graph.endKey(a), &graph.endKey(b)), 1);
  }
  const std::vector<GraphAdjacency>& adjacencies = graph.adjacencies();
  for (size_t i = 0; i < adjacencies.size(); ++i) {
    if (assignment.labels[i] == 0) continue;
    const GraphAdjacency& adjacency = adjacencies[i];
    visit(spell(name, "u_", graph.id(adjacency.genome), graph.endKey(adjacency.ends[0]),
                &graph.endKey(adjacency.ends[1])),
          assignment.labels[i]);
  }
  for (const uint32_t i : assignment.pAtOne) {
    const GraphAdjacency& adjacency = adjacencies[i];
    visit(spell(name, "p_", graph.id(adjacency.genome), graph.endKey(adjacency.ends[0]),
                &graph.endKey(adjacency.ends[1])),
          1);
  }
  for (size_t e = 0; e < assignment.endValues.size(); ++e) {
    const int64_t value = assignment.endValues[e];
    if (value == 0) continue;
    const auto end = static_cast<int32_t>(e);
    const int genome = graph.genomeOfEnd(end);
    visit(spell(name, "r_", graph.id(genome), graph.endKey(end)), value);
    if (genome == 0 && assignment.endMatched[e]) visit("l_" + graph.endKey(end), value);
  }
  for (const uint32_t c : assignment.oAtOne) {
    const GraphChromosome& chromosome = graph.chromosomes()[c];
    visit("o_" + std::to_string(graph.id(chromosome.genome)) + "_" + std::to_string(chromosome.position), 1);
  }
}

std::vector<double> programValues(const LinearProgram& program, const GenomePairGraph& graph,
                                  const MatchingAssignment& assignment) {
  std::vector<double> values(program.variables().size(), 0.0);
  forEachNonZeroVariable(graph, assignment, [&](std::string_view name, int64_t value) {
    const int32_t index = program.find(name);
    if (index < 0) {
      throw std::logic_error("internal error: the assignment of a matching sets " +
                             std::string(name) + ", which the program lacks");
    }
    values[index] = static_cast<double>(value);
  });
  return values;
}

}  // namespace paralog
