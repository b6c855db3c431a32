#include "solve/assignment_check.h"

#include <algorithm>
#include <stdexcept>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "matching/assignment_names.h"
#include "solver/named_values.h"
#include "solve/stoppable_consumer.h"
#include "solve/streamed_check.h"

namespace paralog {
namespace {

const char* const kFamilyNames[] = {
    "values for names that are no variables",
    "z: each copy matched at most once",
    "z: each family matches its smaller side",
    "t: each end in at most one pair",
    "t: no pair at a matched copy",
    "t: a circular chromosome's end paired only while the chromosome is matched",
    "t: a circular chromosome's unmatched end paired once the chromosome is matched",
    "t: a linear chromosome's end matched or paired",
    "u: labels between 0 and their number",
    "u: a circular chromosome's labels 0 while it is unmatched",
    "u: label 0 at an end matched to a chromosome end",
    "u: label 0 at an end paired with a chromosome end",
    "u: matched adjacencies carry equal labels",
    "u: paired adjacencies carry equal labels",
    "p: at 1 only when the label reaches the number",
    "r: values between -1 and 1",
    "r: an adjacency's values sum to at most 0",
    "r: a pair's values sum to at most 0",
    "r: matched ends carry equal values",
    "l: rows and bounds",
    "o: at 1 only while the chromosome is unmatched",
    "declarations: binary, general and the default lower bound 0",
};
static_assert(sizeof kFamilyNames / sizeof kFamilyNames[0] == static_cast<size_t>(RowFamily::kCount),
              "one name per row family");

// Judges the program's rows family by family from typed values: what the
// check needs of the assignment is gathered once (match counts per copy
// and per chromosome, the pairs of each end, p and o per place), and every
// family then costs one pass over ends, adjacencies or copy pairs.
class FamilyCheck {
 public:
  FamilyCheck(const GenomePairGraph& graph, const MatchingAssignment& assignment, bool matchAll,
              const ProgressReport& progress)
      : graph_(graph), values_(assignment), matchAll_(matchAll), progress_(progress) {}

  // The families in the order the generators write them, each announced
  // with the generators' progress line.
  AssignmentVerdict run() {
    readMatching();
    readJoins();
    readIndicators();
    announce("Calculating Z variables\n");
    checkZ();
    announce("Calculating T variables\n");
    for (int g = 0; g < 2; ++g) checkTEnds(g);
    announce("Calculating U variables\n");
    checkLabels();
    checkEndMatching();
    for (int g = 0; g < 2; ++g) checkURowsOfSide(g);
    checkCrossMatching();
    for (int g = 0; g < 2; ++g) checkInnerLabels(g);
    announce("Calculating P variables\n");
    checkP();
    announce("Calculating R variables\n");
    checkR();
    for (int g = 0; g < 2; ++g) checkRPairs(g);
    announce("Calculating L variables\n");
    checkL();
    announce("Calculating O variables\n");
    checkO();
    verdict_.objective = objective();
    return verdict_;
  }

 private:
  void announce(std::string_view line) const {
    if (progress_) progress_(line);
  }
  void breakIf(bool broken, RowFamily family) {
    if (broken) verdict_.brokenFamilies |= uint32_t{1} << static_cast<uint32_t>(family);
  }
  int32_t firstEnd(int g) const { return graph_.endOf(g, 0, 0); }
  int32_t endCount(int g) const { return static_cast<int32_t>(2 * graph_.copies(g).size()); }
  int64_t matchesOfEnd(int32_t end) const {
    return matchCount_[graph_.genomeOfEnd(end)][graph_.copyOfEnd(end)];
  }
  int64_t chromosomeMatches(int32_t end) const { return chromosomeMatches_[graph_.chromosomeOfEnd(end)]; }
  const GraphChromosome& chromosomeOf(int32_t end) const {
    return graph_.chromosomes()[graph_.chromosomeOfEnd(end)];
  }
  int64_t pairsOf(int32_t end) const { return joinStart_[end + 1] - joinStart_[end]; }
  int64_t label(int32_t adjacency) const { return values_.labels[static_cast<size_t>(adjacency)]; }
  int64_t number(int32_t adjacency) const { return graph_.adjacencies()[static_cast<size_t>(adjacency)].number; }
  int64_t r(int32_t end) const { return values_.endValues[static_cast<size_t>(end)]; }
  int64_t l(int32_t end) const { return values_.endMatched[static_cast<size_t>(end)] != 0 ? r(end) : 0; }
  bool matched(uint32_t firstCopy, uint32_t secondCopy) const {
    const std::vector<uint32_t>& partners = partners_[firstCopy];
    return std::binary_search(partners.begin(), partners.end(), secondCopy);
  }
  // The end of copy `copy` of genome `g` with the same label as `end`.
  int32_t sameLabelEnd(int g, uint32_t copy, int32_t end) const { return graph_.endOf(g, copy, end & 1); }

  void readMatching();
  void readJoins();
  void readIndicators();
  void checkZ();
  void checkTEnds(int g);
  void checkURowsOfSide(int g);
  void checkInnerLabels(int g);
  void checkRPairs(int g);
  void checkLabels();
  void checkP();
  void checkEndMatching();
  void checkCrossMatching();
  void checkR();
  void checkL();
  void checkO();
  int64_t objective() const;

  const GenomePairGraph& graph_;
  const MatchingAssignment& values_;
  bool matchAll_;
  const ProgressReport& progress_;
  std::vector<std::pair<uint32_t, uint32_t>> matchedPairs_;  ///< sorted, each once
  std::vector<int64_t> matchCount_[2];                        ///< per copy: its z sum
  std::vector<std::vector<uint32_t>> partners_;               ///< per first copy: matched second copies, sorted
  std::vector<int64_t> chromosomeMatches_;                    ///< per chromosome: the z sums of its copies
  std::vector<std::pair<int32_t, int32_t>> joins_;            ///< t at 1, smaller end first, sorted, each once
  std::vector<int64_t> joinStart_;                            ///< per end: its pairs in joinPartner_
  std::vector<int32_t> joinPartner_;
  std::vector<uint8_t> pOne_;                                 ///< per adjacency
  std::vector<uint8_t> oOne_;                                 ///< per chromosome
  AssignmentVerdict verdict_;
};

void FamilyCheck::readMatching() {
  for (const CopyPair& pair : values_.matched) matchedPairs_.emplace_back(pair.first, pair.second);
  std::sort(matchedPairs_.begin(), matchedPairs_.end());
  matchedPairs_.erase(std::unique(matchedPairs_.begin(), matchedPairs_.end()), matchedPairs_.end());
  for (int g = 0; g < 2; ++g) matchCount_[g].assign(graph_.copies(g).size(), 0);
  partners_.assign(graph_.copies(0).size(), {});
  chromosomeMatches_.assign(graph_.chromosomes().size(), 0);
  for (const auto& [first, second] : matchedPairs_) {
    const GraphCopy& a = graph_.copies(0)[first];
    const GraphCopy& b = graph_.copies(1)[second];
    ++matchCount_[0][first];
    ++matchCount_[1][second];
    partners_[first].push_back(second);  // in order, as the pairs are sorted
    ++chromosomeMatches_[a.chromosome];
    ++chromosomeMatches_[b.chromosome];
  }
}

void FamilyCheck::readJoins() {
  for (auto [a, b] : values_.joins) {
    joins_.emplace_back(std::min(a, b), std::max(a, b));
  }
  std::sort(joins_.begin(), joins_.end());
  joins_.erase(std::unique(joins_.begin(), joins_.end()), joins_.end());
  joinStart_.assign(graph_.endCount() + 1, 0);
  for (const auto& [a, b] : joins_) {
    ++joinStart_[a + 1];
    ++joinStart_[b + 1];
  }
  for (size_t e = 0; e < graph_.endCount(); ++e) joinStart_[e + 1] += joinStart_[e];
  joinPartner_.assign(2 * joins_.size(), 0);
  std::vector<int64_t> next(joinStart_.begin(), joinStart_.end() - 1);
  for (const auto& [a, b] : joins_) {
    joinPartner_[next[a]++] = b;
    joinPartner_[next[b]++] = a;
  }
}

void FamilyCheck::readIndicators() {
  pOne_.assign(graph_.adjacencies().size(), 0);
  for (const uint32_t a : values_.pAtOne) {
    breakIf(!graph_.adjacencies()[a].hasP, RowFamily::kNames);
    pOne_[a] = 1;
  }
  oOne_.assign(graph_.chromosomes().size(), 0);
  for (const uint32_t c : values_.oAtOne) {
    const GraphChromosome& chromosome = graph_.chromosomes()[c];
    breakIf(!chromosome.circular || chromosome.geneCount < 2, RowFamily::kNames);
    oOne_[c] = 1;
  }
}

// z rows: each copy of a gene the other genome has is matched at most
// once; with --match-all each family matches min(copies, copies).
void FamilyCheck::checkZ() {
  for (int g = 0; g < 2; ++g) {
    for (uint32_t c = 0; c < graph_.copies(g).size(); ++c) {
      if (graph_.copiesOfGene(1 - g, graph_.copies(g)[c].gene).empty()) continue;
      breakIf(matchCount_[g][c] > 1, RowFamily::kZ);
    }
  }
  if (!matchAll_) return;
  for (uint32_t gene = 0; gene < graph_.geneNames().size(); ++gene) {
    const size_t firstCopies = graph_.copiesOfGene(0, gene).size();
    const size_t secondCopies = graph_.copiesOfGene(1, gene).size();
    if (firstCopies == 0 || secondCopies == 0) continue;
    int64_t sum = 0;
    for (const uint32_t c : graph_.copiesOfGene(0, gene)) sum += matchCount_[0][c];
    breakIf(sum != static_cast<int64_t>(std::min(firstCopies, secondCopies)), RowFamily::kMatchAll);
  }
}

// The t rows of every end of genome g. A row over a pair whose t is 0
// reduces to its z part, the same for every such pair of an end: one test
// per end stands for all of them, and one per pair at 1.
void FamilyCheck::checkTEnds(int g) {
  const int32_t ends = endCount(g);
  for (int32_t x = firstEnd(g); x < firstEnd(g) + ends; ++x) {
    const int64_t pairs = pairsOf(x);
    const int64_t m = matchesOfEnd(x);
    const bool someUnpaired = ends - 1 > pairs;  // some other end has t 0 with x
    breakIf(pairs > 1, RowFamily::kTPartner);
    if (ends >= 2) breakIf(m + (pairs > 0 ? 1 : 0) > 1 || (someUnpaired && m > 1), RowFamily::kTMatched);
    const GraphChromosome& chromosome = chromosomeOf(x);
    if (chromosome.circular) {
      const int64_t chromosomeSum = chromosomeMatches(x);
      breakIf((pairs > 0 && 1 - chromosomeSum > 0) || (someUnpaired && -chromosomeSum > 0),
              RowFamily::kTCircularSupport);
      const int64_t n = chromosome.geneCount;
      breakIf(n * pairs - chromosomeSum + n * m < 0, RowFamily::kTCircularCover);
    } else {
      breakIf(pairs + m < 1, RowFamily::kTLinearCover);
    }
  }
}

// The u rows of genome g's adjacencies that involve one adjacency at a
// time: the labels of circular chromosomes, and the labels at ends paired
// with an end of one of the genome's own linear chromosomes (one row per
// chromosome end and adjacency end; those whose t is 0 say u <= number).
void FamilyCheck::checkURowsOfSide(int g) {
  int64_t chromosomeEnds = 0;
  for (int32_t x = firstEnd(g); x < firstEnd(g) + endCount(g); ++x) {
    if (graph_.endMate(x) < 0) ++chromosomeEnds;
  }
  const std::vector<GraphAdjacency>& adjacencies = graph_.adjacencies();
  for (size_t a = 0; a < adjacencies.size(); ++a) {
    const GraphAdjacency& adjacency = adjacencies[a];
    if (adjacency.genome != g) continue;
    const auto id = static_cast<int32_t>(a);
    if (chromosomeOf(adjacency.ends[0]).circular) {
      breakIf(number(id) * chromosomeMatches(adjacency.ends[0]) - label(id) < 0, RowFamily::kUCircular);
    }
    int64_t pairedWithChromosomeEnd = 0;
    for (const int32_t end : adjacency.ends) {
      for (int64_t j = joinStart_[end]; j < joinStart_[end + 1]; ++j) {
        if (graph_.endMate(joinPartner_[j]) < 0) ++pairedWithChromosomeEnd;
      }
    }
    if (pairedWithChromosomeEnd > 0) breakIf(label(id) + number(id) > number(id), RowFamily::kUEndConnections);
    if (2 * chromosomeEnds > pairedWithChromosomeEnd) {
      breakIf(label(id) > number(id), RowFamily::kUEndConnections);
    }
  }
}

// The rows tying the labels of every two adjacencies p, q of genome g in
// each orientation: a pair at 1 between their ends makes the labels equal;
// with t 0 they say label(p) - label(q) <= number(p), tested against the
// smallest label of an adjacency not joined to p in all four orientations.
void FamilyCheck::checkInnerLabels(int g) {
  std::vector<int32_t> own;
  const std::vector<GraphAdjacency>& adjacencies = graph_.adjacencies();
  for (size_t a = 0; a < adjacencies.size(); ++a) {
    if (adjacencies[a].genome == g) own.push_back(static_cast<int32_t>(a));
  }
  std::vector<std::pair<int32_t, int32_t>> joinedAdjacencies;  // one entry per pair at 1
  for (const auto& [x, y] : joins_) {
    const int32_t p = graph_.adjacencyOfEnd(x);
    const int32_t q = graph_.adjacencyOfEnd(y);
    if (graph_.genomeOfEnd(x) != g || p < 0 || q < 0) continue;
    // p == q: the row u + number t - u <= number, so t <= 1.
    if (p != q) {
      breakIf(label(p) != label(q), RowFamily::kUInner);
      joinedAdjacencies.emplace_back(p, q);
      joinedAdjacencies.emplace_back(q, p);
    }
  }
  std::sort(joinedAdjacencies.begin(), joinedAdjacencies.end());
  std::vector<int32_t> byLabel = own;
  std::sort(byLabel.begin(), byLabel.end(), [this](int32_t a, int32_t b) { return label(a) < label(b); });
  for (const int32_t p : own) {
    // The pairs (p, q) joined in all four orientations have no row with t 0.
    auto fullyJoined = [&](int32_t q) {
      const auto range = std::equal_range(joinedAdjacencies.begin(), joinedAdjacencies.end(), std::make_pair(p, q));
      return range.second - range.first >= 4;
    };
    for (const int32_t q : byLabel) {
      if (q == p || fullyJoined(q)) continue;
      breakIf(label(p) - label(q) > number(p), RowFamily::kUInner);
      break;
    }
  }
}

// The r rows of every ordered pair of genome g's ends that is no
// adjacency, an end with itself included: r + r + 2 t <= 2. With t 0 the
// binding partner of an end is the largest r among the ends neither
// adjacent nor paired to it.
void FamilyCheck::checkRPairs(int g) {
  std::vector<int32_t> byValue;
  for (int32_t x = firstEnd(g); x < firstEnd(g) + endCount(g); ++x) byValue.push_back(x);
  std::sort(byValue.begin(), byValue.end(), [this](int32_t a, int32_t b) { return r(a) > r(b); });
  for (const int32_t x : byValue) {
    breakIf(2 * r(x) > 2, RowFamily::kRPairs);
    auto paired = [&](int32_t y) {
      return std::find(joinPartner_.begin() + joinStart_[x], joinPartner_.begin() + joinStart_[x + 1], y) !=
             joinPartner_.begin() + joinStart_[x + 1];
    };
    for (int64_t j = joinStart_[x]; j < joinStart_[x + 1]; ++j) {
      const int32_t y = joinPartner_[j];
      if (y != graph_.endMate(x)) breakIf(r(x) + r(y) + 2 > 2, RowFamily::kRPairs);
    }
    for (const int32_t y : byValue) {
      if (y == x || y == graph_.endMate(x) || paired(y)) continue;
      breakIf(r(x) + r(y) > 2, RowFamily::kRPairs);
      break;
    }
  }
}

// Bounds of u (numbered adjacencies only) and the default lower bound 0
// of every label.
void FamilyCheck::checkLabels() {
  const std::vector<GraphAdjacency>& adjacencies = graph_.adjacencies();
  for (size_t a = 0; a < adjacencies.size(); ++a) {
    const auto id = static_cast<int32_t>(a);
    breakIf(label(id) < 0, RowFamily::kDeclarations);
    if (adjacencies[a].hasP) breakIf(label(id) < 0 || label(id) > number(id), RowFamily::kUBounds);
  }
}

// p at 1 only where the label reaches the number: label - number p >= 0.
void FamilyCheck::checkP() {
  const std::vector<GraphAdjacency>& adjacencies = graph_.adjacencies();
  for (size_t a = 0; a < adjacencies.size(); ++a) {
    const auto id = static_cast<int32_t>(a);
    if (adjacencies[a].hasP) breakIf(label(id) - number(id) * pOne_[a] < 0, RowFamily::kP);
  }
}

// An adjacency end of one genome that fits (same gene and end) an end of
// a linear chromosome of the other: number z + u <= number.
void FamilyCheck::checkEndMatching() {
  for (int h = 0; h < 2; ++h) {
    const int g = 1 - h;
    for (int32_t e = firstEnd(h); e < firstEnd(h) + endCount(h); ++e) {
      if (graph_.endMate(e) >= 0 || chromosomeOf(e).circular) continue;
      const uint32_t eCopy = graph_.copyOfEnd(e);
      for (const uint32_t copy : graph_.copiesOfGene(g, graph_.copies(h)[eCopy].gene)) {
        const int32_t x = sameLabelEnd(g, copy, e);
        const int32_t a = graph_.adjacencyOfEnd(x);
        if (a < 0) continue;
        const int64_t z = g == 0 ? matched(copy, eCopy) : matched(eCopy, copy);
        breakIf(number(a) * z + label(a) > number(a), RowFamily::kUEndMatching);
      }
    }
  }
}

// Every adjacency end of the first genome and fitting adjacency end of the
// second: u_a + number_a z - u_b <= number_a, and the same the other way.
void FamilyCheck::checkCrossMatching() {
  for (int32_t x = firstEnd(0); x < firstEnd(0) + endCount(0); ++x) {
    const int32_t a = graph_.adjacencyOfEnd(x);
    if (a < 0) continue;
    const uint32_t xCopy = graph_.copyOfEnd(x);
    for (const uint32_t copy : graph_.copiesOfGene(1, graph_.copies(0)[xCopy].gene)) {
      const int32_t b = graph_.adjacencyOfEnd(sameLabelEnd(1, copy, x));
      if (b < 0) continue;
      const int64_t z = matched(xCopy, copy);
      breakIf(label(a) + number(a) * z - label(b) > number(a) || label(b) + number(b) * z - label(a) > number(b),
              RowFamily::kUCrossMatching);
    }
  }
}

// r bounds, adjacency rows and the rows of fitting ends of the two genomes.
void FamilyCheck::checkR() {
  for (int32_t x = 0; x < static_cast<int32_t>(graph_.endCount()); ++x) {
    breakIf(r(x) < -1 || r(x) > 1, RowFamily::kRBounds);
    const int32_t mate = graph_.endMate(x);
    if (mate >= 0) breakIf(r(x) + r(mate) > 0, RowFamily::kRAdjacency);
  }
  for (int32_t x = firstEnd(0); x < firstEnd(0) + endCount(0); ++x) {
    const uint32_t xCopy = graph_.copyOfEnd(x);
    for (const uint32_t copy : graph_.copiesOfGene(1, graph_.copies(0)[xCopy].gene)) {
      const int64_t difference = r(x) - r(sameLabelEnd(1, copy, x));
      const int64_t z = matched(xCopy, copy);
      breakIf(difference + 2 * z > 2 || difference - 2 * z < -2, RowFamily::kRMatch);
    }
  }
}

void FamilyCheck::checkL() {
  for (int32_t x = firstEnd(0); x < firstEnd(0) + endCount(0); ++x) {
    const int64_t s = matchesOfEnd(x);
    const int64_t value = l(x);
    breakIf(value + s < 0 || value - s > 0 || value - r(x) + 2 * s > 2 || r(x) - value + 2 * s > 2 ||
                value < -1 || value > 1,
            RowFamily::kL);
  }
}

void FamilyCheck::checkO() {
  const std::vector<GraphChromosome>& chromosomes = graph_.chromosomes();
  for (size_t c = 0; c < chromosomes.size(); ++c) {
    if (!chromosomes[c].circular || chromosomes[c].geneCount < 2) continue;
    const int64_t n = chromosomes[c].geneCount;
    breakIf(n * oOne_[c] + chromosomeMatches_[c] > n, RowFamily::kO);
  }
}

// -2 per z and p at 1, + l - r per end, (1 - n) per o at 1.
int64_t FamilyCheck::objective() const {
  int64_t sum = -2 * static_cast<int64_t>(matchedPairs_.size());
  for (const uint8_t p : pOne_) sum -= 2 * p;
  for (int32_t x = 0; x < static_cast<int32_t>(graph_.endCount()); ++x) {
    sum -= r(x);
    if (graph_.genomeOfEnd(x) == 0) sum += l(x);
  }
  for (size_t c = 0; c < oOne_.size(); ++c) {
    if (oOne_[c] != 0) sum += 1 - static_cast<int64_t>(graph_.chromosomes()[c].geneCount);
  }
  return sum;
}

}  // namespace

const char* rowFamilyName(RowFamily family) { return kFamilyNames[static_cast<size_t>(family)]; }

AssignmentVerdict checkAssignment(const GenomePairGraph& graph, const MatchingAssignment& assignment,
                                  bool matchAll, const ProgressReport& progress) {
  return FamilyCheck(graph, assignment, matchAll, progress).run();
}

int64_t requireValidMatchingAssignment(const Structure& first, const Structure& second,
                                       const GenomePairGraph& graph, const MatchingAssignment& assignment,
                                       const std::string& source, bool matchAll, const SolveControl& stop,
                                       const ProgressReport& progress) {
  const AssignmentVerdict verdict = checkAssignment(graph, assignment, matchAll, progress);
  if (!verdict.holds()) {
    NamedValues values;
    forEachNonZeroVariable(graph, assignment,
                           [&values](std::string_view name, int64_t value) { values.set(name, static_cast<double>(value)); });
    try {
      requireValidAssignment(first, second, values, source, [](std::string_view) {}, nullptr, LpFile::kNone,
                             ProgramOptions{matchAll}, &stop);
    } catch (const GenerationStopped&) {
      throw std::runtime_error(source + ": the solution breaks the program (" + brokenFamilyNames(verdict) +
                               "); stopped before the broken row was named");
    }
    throw std::logic_error("internal error: " + source + " breaks in aggregate what holds row by row: " +
                           brokenFamilyNames(verdict));
  }
  if (verdict.objective != assignment.objective) {
    throw std::runtime_error(source + ": the objective is " + std::to_string(verdict.objective) +
                             " at the values, not " + std::to_string(assignment.objective));
  }
  return verdict.objective;
}

std::string brokenFamilyNames(const AssignmentVerdict& verdict) {
  std::string names;
  for (uint32_t f = 0; f < static_cast<uint32_t>(RowFamily::kCount); ++f) {
    if (!verdict.breaks(static_cast<RowFamily>(f))) continue;
    if (!names.empty()) names += "; ";
    names += kFamilyNames[f];
  }
  return names;
}

}  // namespace paralog
