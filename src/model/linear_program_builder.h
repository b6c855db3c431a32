#ifndef PARALOG_MODEL_LINEAR_PROGRAM_BUILDER_H
#define PARALOG_MODEL_LINEAR_PROGRAM_BUILDER_H

#include <string>
#include <vector>

#include "lp/program_consumer.h"
#include "model/linear_program.h"

namespace paralog {

/// Builds the LinearProgram of a program delivered as typed data (see
/// ProgramConsumer), for the embedded solver and the solution checks,
/// without rendering and parsing LP text. The result equals the program
/// that the LP file of the same program states, read line by line:
/// variables numbered in the order their names first stand in the file
/// (objective, "Subject To" rows, "Bounds" rows, declarations), each row
/// keeping its line for messages. Does not own `program`, which must
/// outlive the builder. One thread at a time.
class LinearProgramBuilder : public ProgramConsumer {
 public:
  explicit LinearProgramBuilder(LinearProgram& program) : program_(program) {}

  void objective(const TermList& terms) override;
  void row(Section section, TermSpan terms, Relation relation, int32_t rhs) override;
  void declare(VariableKind kind, std::string_view name) override;
  void end() override;

 private:
  // A bound row waits until every "Subject To" row is in, as the file puts
  // the bounds after them and numbering follows the file.
  struct Bound {
    std::string name;
    Relation relation;
    int32_t rhs;
    std::string text;
  };
  void applyBounds();

  LinearProgram& program_;
  std::vector<Bound> bounds_;
  bool boundsApplied_ = false;
};

/// Hands every call on to two consumers, `first` before `second`: to write
/// the LP file and build the solver's model in one pass. Owns neither.
class ProgramTee : public ProgramConsumer {
 public:
  ProgramTee(ProgramConsumer& first, ProgramConsumer& second) : first_(first), second_(second) {}

  void objective(const TermList& terms) override;
  void row(Section section, TermSpan terms, Relation relation, int32_t rhs) override;
  void declare(VariableKind kind, std::string_view name) override;
  void end() override;

 private:
  ProgramConsumer& first_;
  ProgramConsumer& second_;
};

}  // namespace paralog

#endif  // PARALOG_MODEL_LINEAR_PROGRAM_BUILDER_H
