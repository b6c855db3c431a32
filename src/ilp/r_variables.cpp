#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ilp/adjacency.h"
#include "ilp/extremities.h"
#include "ilp/generators.h"
#include "ilp/t_names.h"

namespace paralog {
namespace {

// The gene ends of one structure with everything the R lines need of them,
// computed once per call so the quadratic loops only index into vectors.
struct RSide {
  int32_t id = 0;                       ///< the structure's id, used in its r names
  std::vector<Extremity> extremities;   ///< every gene end, repeats kept
  std::vector<std::string> keys;        ///< key of each end, position by position
  std::vector<std::string_view> rNames; ///< r name of each end (views into the storage)
  std::vector<uint32_t> ranks;          ///< place of each key among the distinct keys, byte order
};

RSide makeSide(const Structure& structure, VariablesStorage& storage) {
  RSide side;
  side.id = structure.id;
  side.extremities = structureExtremities(structure);
  side.keys = extremityKeys(side.extremities);
  side.rNames.reserve(side.keys.size());
  for (const std::string& key : side.keys) side.rNames.push_back(storage.rVariable(side.id, key));

  // Equal keys share a rank, so comparing ranks orders ends as their keys do.
  std::vector<size_t> order(side.keys.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return side.keys[a] < side.keys[b]; });
  side.ranks.assign(side.keys.size(), 0);
  uint32_t rank = 0;
  for (size_t p = 0; p < order.size(); ++p) {
    if (p != 0 && side.keys[order[p - 1]] != side.keys[order[p]]) ++rank;
    side.ranks[order[p]] = rank;
  }
  return side;
}

uint64_t pairCode(uint32_t lo, uint32_t hi) { return (uint64_t{lo} << 32) | hi; }

// The adjacencies of `structure` as codes of the ranks of their first and
// second ends, in that order, so that a pair of ends can be looked up in
// constant time. Adjacency ends are always ends of the structure's copies;
// one that is not could never equal a pair of them and is left out.
std::unordered_set<uint64_t> adjacencyCodes(const Structure& structure, const RSide& side) {
  std::unordered_map<std::string_view, uint32_t> rankOfKey;
  rankOfKey.reserve(side.keys.size());
  for (size_t p = 0; p < side.keys.size(); ++p) rankOfKey.emplace(side.keys[p], side.ranks[p]);

  std::unordered_set<uint64_t> codes;
  std::string firstKey;
  std::string secondKey;
  for (const Adjacency& adjacency : structureAdjacencies(structure)) {
    firstKey.clear();
    secondKey.clear();
    appendExtremityKey(adjacency.firstEnd, firstKey);
    appendExtremityKey(adjacency.secondEnd, secondKey);
    const auto first = rankOfKey.find(firstKey);
    const auto second = rankOfKey.find(secondKey);
    if (first == rankOfKey.end() || second == rankOfKey.end()) continue;
    codes.insert(pairCode(first->second, second->second));
  }
  return codes;
}

// Every r value lies in -1..1.
void addBounds(RowSink& rows, const RSide& side, TermList& row) {
  for (std::string_view r : side.rNames) {
    row.clear();
    row.emplace_back(r, 1);
    rows.add(Section::kBounds, row, Relation::kGreaterEqual, -1);
    rows.add(Section::kBounds, row, Relation::kLessEqual, 1);
  }
}

// The two ends of an adjacency have r values summing to at most 0.
void addAdjacencyLines(RowSink& rows, const Structure& structure, VariablesStorage& storage,
                       TermList& row) {
  for (const Adjacency& adjacency : structureAdjacencies(structure)) {
    const std::string_view first = storage.rVariable(structure.id, adjacency.firstEnd);
    row.clear();
    row.emplace_back(first, 1);
    row.emplace_back(storage.rVariable(structure.id, adjacency.secondEnd), 1);
    rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 0);
  }
}

// Every ordered pair of ends (an end with itself included) that is not an
// adjacency: when the t variable joining them (named with the other
// structure's id) is 1, their r values sum to at most 0.
void addPairLines(RowSink& rows, const Structure& structure, const RSide& side, int32_t other,
                  VariablesStorage& storage, TermList& row) {
  const std::unordered_set<uint64_t> adjacent = adjacencyCodes(structure, side);
  const TNames tNames(structure, other, storage);
  const size_t n = side.keys.size();
  std::vector<size_t> positions(n);
  for (size_t e = 0; e < n; ++e) positions[e] = tNames.position(side.keys[e]);
  for (size_t e1 = 0; e1 < n; ++e1) {
    for (size_t e2 = 0; e2 < n; ++e2) {
      const size_t lo = side.ranks[e2] < side.ranks[e1] ? e2 : e1;
      const size_t hi = side.ranks[e1] < side.ranks[e2] ? e2 : e1;
      if (adjacent.count(pairCode(side.ranks[lo], side.ranks[hi])) != 0) continue;
      row.clear();
      row.emplace_back(side.rNames[lo], 1);
      row.emplace_back(side.rNames[hi], 1);
      row.emplace_back(tNames.name(positions[lo], positions[hi]), 2);
      // r names follow the ranks and sort before t names; an end with
      // itself repeats its r name, which the sink merges.
      rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 2,
               side.ranks[lo] != side.ranks[hi] ? TermOrder::kCanonical : TermOrder::kAny);
    }
  }
}

// An end of the first structure and an end of the second with the same gene
// name and end label (copy indices may differ) get equal r values when the
// z variable matching their copies is 1.
void addMatchLines(RowSink& rows, const Structure& first, const Structure& second,
                   const RSide& firstSide, const RSide& secondSide, VariablesStorage& storage,
                   TermList& row) {
  // Both extremity lists run gene name by gene name in the same key order,
  // each copy giving its 't' then its 'h' end. So the ends of the second
  // structure that fit an end p of the first are, in list order, the same
  // end of each copy of p's gene in the second structure: walking the two
  // copy maps side by side finds them without comparing every pair.
  size_t firstOffset = 0;
  size_t secondOffset = 0;
  auto secondIt = second.copies.begin();
  for (const auto& [name, firstIndices] : first.copies) {
    while (secondIt != second.copies.end() && secondIt->first < name) {
      secondOffset += 2 * secondIt->second.size();
      ++secondIt;
    }
    if (secondIt != second.copies.end() && secondIt->first == name) {
      const std::vector<int32_t>& secondIndices = secondIt->second;
      for (size_t a = 0; a < firstIndices.size(); ++a) {
        for (size_t end = 0; end < 2; ++end) {
          const std::string_view rFirst = firstSide.rNames[firstOffset + 2 * a + end];
          for (size_t b = 0; b < secondIndices.size(); ++b) {
            const std::string_view rSecond = secondSide.rNames[secondOffset + 2 * b + end];
            const std::string_view z = storage.zVariable(name, firstIndices[a], secondIndices[b]);
            row.clear();
            row.emplace_back(rFirst, 1);
            row.emplace_back(rSecond, -1);
            row.emplace_back(z, 2);
            rows.add(Section::kSubjectTo, row, Relation::kLessEqual, 2);
            row.back().coefficient = -2;
            rows.add(Section::kSubjectTo, row, Relation::kGreaterEqual, -2);
          }
        }
      }
    }
    firstOffset += 2 * firstIndices.size();
  }
}

}  // namespace

void generateRVariables(RowSink& rows, const Structure& first, const Structure& second,
                        VariablesStorage& storage) {
  const RSide firstSide = makeSide(first, storage);
  const RSide secondSide = makeSide(second, storage);
  TermList row;

  addBounds(rows, firstSide, row);
  addBounds(rows, secondSide, row);

  addAdjacencyLines(rows, first, storage, row);
  addAdjacencyLines(rows, second, storage, row);

  addPairLines(rows, first, firstSide, second.id, storage, row);
  addPairLines(rows, second, secondSide, first.id, storage, row);

  addMatchLines(rows, first, second, firstSide, secondSide, storage, row);
}

}  // namespace paralog
