#ifndef PARALOG_SOLVE_ASSIGNMENT_CHECK_H
#define PARALOG_SOLVE_ASSIGNMENT_CHECK_H

#include <cstdint>
#include <string>

#include "genome/genome.h"
#include "ilp/generate_program.h"
#include "matching/genome_pair_graph.h"
#include "matching/matching_evaluator.h"
#include "solver/solve_control.h"

namespace paralog {

/// The families of rows (and other requirements) of the whole program,
/// as the aggregate check judges them, one bit each in
/// AssignmentVerdict::brokenFamilies.
enum class RowFamily : uint32_t {
  kNames,            ///< p or o at 1 where the program has no such variable
  kZ,                ///< each copy matched at most once
  kMatchAll,         ///< with --match-all: each family matches its smaller side
  kTPartner,         ///< each end in at most one pair
  kTMatched,         ///< no pair at a matched copy
  kTCircularSupport, ///< a circular chromosome's end paired only while it is matched
  kTCircularCover,   ///< a circular chromosome's unmatched end paired once it is matched
  kTLinearCover,     ///< a linear chromosome's end matched or paired
  kUBounds,          ///< 0 <= u <= number
  kUCircular,        ///< a circular chromosome's labels 0 while it is unmatched
  kUEndMatching,     ///< label 0 at an end matched to a chromosome end
  kUEndConnections,  ///< label 0 at an end paired with a chromosome end
  kUCrossMatching,   ///< matched adjacencies carry equal labels
  kUInner,           ///< paired adjacencies carry equal labels
  kP,                ///< p at 1 only when the label reaches the number
  kRBounds,          ///< -1 <= r <= 1
  kRAdjacency,       ///< the r values of an adjacency sum to at most 0
  kRPairs,           ///< the r values of a pair sum to at most 0
  kRMatch,           ///< matched ends carry equal r values
  kL,                ///< the l rows and bounds
  kO,                ///< o at 1 only while the chromosome is unmatched
  kDeclarations,     ///< binary and general declarations, default lower bound 0
  kCount
};

/// The words for `family` in messages and tests ("t: no pair at a matched copy").
const char* rowFamilyName(RowFamily family);

/// What the aggregate check found.
struct AssignmentVerdict {
  /// One bit per RowFamily that some row of the family breaks; 0 when every
  /// row, bound and declaration of the whole program holds.
  uint32_t brokenFamilies = 0;
  /// The objective of the whole program at the values.
  int64_t objective = 0;

  bool holds() const { return brokenFamilies == 0; }
  bool breaks(RowFamily family) const {
    return ((brokenFamilies >> static_cast<uint32_t>(family)) & 1) != 0;
  }
};

/// Judges `assignment` (the values of a matching's program over `graph`,
/// every variable not named in it 0) against every row, bound and
/// declaration of the whole program of the graph's genome pair (with the
/// match-all rows when `matchAll`), exactly as the row-by-row check does,
/// but by families: rows whose terms are all zero but one or two are
/// judged by one test per end or adjacency (the t rows of an end without
/// pairs, the r rows of unpaired ends through the largest r values), and
/// the rows of a circular chromosome through one match sum per chromosome.
/// Time O(E log E + Z) for E gene ends and Z copy pairs of common genes,
/// memory O(E + Z); no names are spelled. Lists of the assignment are read
/// as sets (an entry given twice counts once, as a named value does).
/// REQUIRES: the assignment's vectors are sized for the graph (endValues
/// and endMatched per end, labels per adjacency) and its indices lie in
/// range; each matched pair is of two copies of one gene and each join of
/// two different ends of one genome, as the evaluator makes them (values
/// the typed assignment cannot name apart from others). The families are
/// judged in the generators' order, each announced on `progress` (when
/// set) with the generators' line ("Calculating Z variables\n", ...).
AssignmentVerdict checkAssignment(const GenomePairGraph& graph, const MatchingAssignment& assignment,
                                  bool matchAll, const ProgressReport& progress = nullptr);

/// The names of the broken families of `verdict`, joined by "; ".
std::string brokenFamilyNames(const AssignmentVerdict& verdict);

/// Checks `assignment` with checkAssignment and returns its objective.
/// A broken assignment is checked again row by row as the program of
/// `first` and `second` streams by (requireValidAssignment), which throws
/// std::runtime_error naming the first broken row as the LP file writes
/// it, `source` first; when `stop` says to stop before that check names
/// the row, the message names the broken families instead. Throws
/// std::runtime_error too when the objective at the values differs from
/// assignment.objective. `progress` as for checkAssignment.
/// REQUIRES: as for checkAssignment; `graph` is the graph of `first` and
/// `second`.
int64_t requireValidMatchingAssignment(const Structure& first, const Structure& second,
                                       const GenomePairGraph& graph, const MatchingAssignment& assignment,
                                       const std::string& source, bool matchAll, const SolveControl& stop,
                                       const ProgressReport& progress = nullptr);

}  // namespace paralog

#endif  // PARALOG_SOLVE_ASSIGNMENT_CHECK_H
