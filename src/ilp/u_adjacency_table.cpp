#include "ilp/u_adjacency_table.h"

namespace paralog {

UAdjacencyTable buildUAdjacencyTable(const Structure& structure,
                                     const AdjacencyNumbering& numbering, bool isFirst,
                                     VariablesStorage& storage) {
  UAdjacencyTable table;
  table.chromosomeStart.reserve(structure.chromosomes.size() + 1);
  for (const Chromosome& chromosome : structure.chromosomes) {
    table.chromosomeStart.push_back(table.rows.size());
    for (Adjacency& adjacency : chromosomeAdjacencies(chromosome)) {
      UAdjacencyRow row;
      row.keys[0] = extremityKey(adjacency.firstEnd);
      row.keys[1] = extremityKey(adjacency.secondEnd);
      row.uName = storage.uVariable(structure.id, row.keys[0], row.keys[1]);
      const int32_t number = adjacencyNumber(numbering, adjacency);
      row.number = isFirst && numbering.numberedBySecond(number) ? numbering.highest() : number;
      row.adjacency = std::move(adjacency);
      table.rows.push_back(std::move(row));
    }
  }
  table.chromosomeStart.push_back(table.rows.size());
  return table;
}

}  // namespace paralog
