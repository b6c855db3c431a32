#ifndef PARALOG_SOLVE_STREAMED_CHECK_H
#define PARALOG_SOLVE_STREAMED_CHECK_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "genome/genome.h"
#include "ilp/generate_program.h"
#include "lp/program_consumer.h"
#include "solver/named_values.h"
#include "solver/solve_control.h"

namespace paralog {

/// Checks an assignment against a program as the program is delivered,
/// row by row, keeping none of it: a consumer of typed rows like the LP
/// writer, so that programs too large for memory can be checked. It applies
/// the rules and the tolerance of requireValidSolution: every "Subject To"
/// and "Bounds" row, the default lower bound 0 of a variable without a
/// lower bound line, the range of a binary variable and the integrality of
/// every declared variable. Only the first broken requirement is rendered.
///
/// Does not own `values`, which must outlive the checker and not change
/// while it lives. Calls may come from another thread than the one that
/// reads the result, as ProgramConsumer allows; read the result only after
/// end().
/// REQUIRES: the bytes that the names of rows view stay unchanged until
/// end() (as the generator's storage keeps them): values are remembered by
/// the address of the name.
class StreamedSolutionCheck : public ProgramConsumer {
 public:
  explicit StreamedSolutionCheck(const NamedValues& values);

  void objective(const TermList& terms) override;
  void row(Section section, TermSpan terms, Relation relation, int32_t rhs) override;
  void declare(VariableKind kind, std::string_view name) override;
  void end() override;

  /// The objective at the values.
  double objectiveValue() const { return objective_; }
  /// How many requirements the values break.
  uint64_t breakCount() const { return breaks_; }
  /// True when every requirement holds and every value names a declared
  /// variable: what require() accepts, the objective aside.
  bool holds() const;
  /// Throws std::runtime_error, its message starting with `source` + ": ",
  /// when a value names no variable of the program, when the values break
  /// the program (the count and the first broken requirement, in the
  /// words of requireValidSolution), or when `reportedObjective` is given
  /// and differs from the objective at the values.
  /// REQUIRES: end() was called.
  void require(const std::string& source, std::optional<double> reportedObjective) const;

 private:
  double activity(TermSpan terms) const;
  // The value of a row's term, remembered by the address of its name: the
  // names of rows live in the generator's storage for the whole program and
  // never change, and a row's terms repeat a few names (a chromosome's z
  // variables) many times.
  double rowTermValue(std::string_view name);
  void breakRow(Section section, TermSpan terms, Relation relation, int32_t rhs, double activity);

  struct RememberedValue {
    const char* data = nullptr;
    size_t size = 0;
    double value = 0;
  };
  static constexpr size_t kRemembered = 4096;

  const NamedValues& values_;
  std::vector<RememberedValue> remembered_ = std::vector<RememberedValue>(kRemembered);
  double objective_ = 0;
  uint64_t breaks_ = 0;
  std::string firstRowBreak_;    ///< the first broken "Subject To" row
  std::string firstOtherBreak_;  ///< the first broken bound or declaration
  /// Names with a negative value that a "Bounds" line gives a lower bound:
  /// only they can break the default lower bound 0.
  std::unordered_set<std::string> negativeWithLowerLine_;
  /// Names whose bound line is broken already, so that the declaration
  /// does not count them again (the in-memory check counts a variable once).
  std::unordered_set<std::string> boundBroken_;
  std::vector<bool> declared_;  ///< per entry of values_
  bool ended_ = false;
};

/// Generates the program of `first` and `second` and checks `values`
/// against it as the rows come (see StreamedSolutionCheck), on two threads:
/// the generators on this one, the check on a second. Returns the
/// objective at the values. Throws what StreamedSolutionCheck::require
/// throws, with `source` naming the values in messages; progress lines go
/// to `progress`. `alongside`, when given, receives the same program in
/// the same pass (a StreamedSolutionFile, say, whose file is committed only
/// once this returns); it must outlive the call. `file` says whether the
/// progress lines announce an LP file; `options` choose the program.
/// REQUIRES: first and second differ in id (a gene of one only has no z variables).
double requireValidAssignment(const Structure& first, const Structure& second,
                              const NamedValues& values, const std::string& source,
                              const ProgressReport& progress,
                              ProgramConsumer* alongside = nullptr, LpFile file = LpFile::kWritten,
                              const ProgramOptions& options = {}, const SolveControl* stop = nullptr);

}  // namespace paralog

#endif  // PARALOG_SOLVE_STREAMED_CHECK_H
