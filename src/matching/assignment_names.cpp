#include "matching/assignment_names.h"

#include <stdexcept>
#include <string>

#include "lp/variable_names.h"

namespace paralog {

void forEachNonZeroVariable(const GenomePairGraph& graph, const MatchingAssignment& assignment,
                            const std::function<void(std::string_view name, int64_t value)>& visit) {
  std::string name;
  for (const CopyPair& pair : assignment.matched) {
    const GraphCopy& first = graph.copies(0)[pair.first];
    name.clear();
    appendZName(name, graph.geneNames()[first.gene], first.index, graph.copies(1)[pair.second].index);
    visit(name, 1);
  }
  for (const auto& [a, b] : assignment.joins) {
    // t names of a genome's ends carry the other genome's id.
    name.clear();
    appendTName(name, graph.id(1 - graph.genomeOfEnd(a)), graph.endKey(a), graph.endKey(b));
    visit(name, 1);
  }
  const std::vector<GraphAdjacency>& adjacencies = graph.adjacencies();
  for (size_t i = 0; i < adjacencies.size(); ++i) {
    if (assignment.labels[i] == 0) continue;
    const GraphAdjacency& adjacency = adjacencies[i];
    name.clear();
    appendUName(name, graph.id(adjacency.genome), graph.endKey(adjacency.ends[0]),
                graph.endKey(adjacency.ends[1]));
    visit(name, assignment.labels[i]);
  }
  for (const uint32_t i : assignment.pAtOne) {
    const GraphAdjacency& adjacency = adjacencies[i];
    name.clear();
    appendPName(name, graph.id(adjacency.genome), graph.endKey(adjacency.ends[0]),
                graph.endKey(adjacency.ends[1]));
    visit(name, 1);
  }
  for (size_t e = 0; e < assignment.endValues.size(); ++e) {
    const int64_t value = assignment.endValues[e];
    if (value == 0) continue;
    const auto end = static_cast<int32_t>(e);
    const int genome = graph.genomeOfEnd(end);
    name.clear();
    appendRName(name, graph.id(genome), graph.endKey(end));
    visit(name, value);
    if (genome == 0 && assignment.endMatched[e]) {
      name.clear();
      appendLName(name, graph.endKey(end));
      visit(name, value);
    }
  }
  for (const uint32_t c : assignment.oAtOne) {
    const GraphChromosome& chromosome = graph.chromosomes()[c];
    name.clear();
    appendOName(name, graph.id(chromosome.genome), chromosome.position);
    visit(name, 1);
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
