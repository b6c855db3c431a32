#include "compact/written_model.h"

#include "compact/compact_model.h"
#include "compact/model_names.h"
#include "compact/piece_graph.h"
#include "compact/warm_start.h"
#include "model/program_lp_file.h"

namespace paralog::compact {

WrittenModel writtenModel(const Structure& first, const Structure& second, bool matchAll) {
  const PieceGraph graph(first, second);
  const CompactModel model(graph, heuristicMatching(graph, matchAll), matchAll, JoinCredit::kOwnPieces);
  const std::vector<std::string> names = compactColumnNames(graph, model, first.id, second.id);
  WrittenModel written;
  written.program = inWrittenOrder(model.program(), names);
  for (size_t p = 0; p < graph.pairs().size(); ++p) {
    const PieceGraph::Copy& a = graph.copies()[graph.pairs()[p].first];
    const PieceGraph::Copy& b = graph.copies()[graph.pairs()[p].second];
    const int32_t column = written.program.find(names[model.pairColumn(static_cast<int32_t>(p))]);
    written.pairs.push_back({column, {a.name, a.index, b.index}});
  }
  return written;
}

std::vector<CompactSolveResult::MatchedPair> matchedPairsOf(const WrittenModel& model, const std::vector<double>& values) {
  std::vector<CompactSolveResult::MatchedPair> pairs;
  for (const WrittenModel::PairColumn& pair : model.pairs) {
    if (values[pair.column] > 0.5) pairs.push_back(pair.pair);
  }
  return pairs;
}

}  // namespace paralog::compact
