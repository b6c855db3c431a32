#ifndef PARALOG_SOLVE_STOPPABLE_CONSUMER_H
#define PARALOG_SOLVE_STOPPABLE_CONSUMER_H

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "lp/program_consumer.h"
#include "solver/solve_control.h"

namespace paralog {

/// Thrown out of a program's generation when the run must stop (a signal
/// or the deadline) before the program is through.
class GenerationStopped : public std::runtime_error {
 public:
  explicit GenerationStopped(StopReason reason)
      : std::runtime_error("stopped while the program was generated"), reason_(reason) {}
  StopReason reason() const { return reason_; }

 private:
  StopReason reason_;
};

/// Hands everything on to `inner` and throws GenerationStopped once
/// `control` says to stop, looking every few thousand rows or
/// declarations, so that writing a program of billions of rows ends within
/// a fraction of a second of a Ctrl-C. Owns nothing: `inner` and `control`
/// must outlive it. One thread at a time, as ProgramConsumer.
class StoppableConsumer : public ProgramConsumer {
 public:
  StoppableConsumer(ProgramConsumer& inner, const SolveControl& control) : inner_(inner), control_(control) {}

  void objective(const TermList& terms) override { inner_.objective(terms); }
  void row(Section section, TermSpan terms, Relation relation, int32_t rhs) override {
    look(1);
    inner_.row(section, terms, relation, rhs);
  }
  bool takesRenderedRows() const override { return inner_.takesRenderedRows(); }
  bool wrapsRenderedRows() const override { return inner_.wrapsRenderedRows(); }
  void renderedRows(std::string_view lines, uint64_t count) override {
    look(count);
    inner_.renderedRows(lines, count);
  }
  void renderedDeclarations(VariableKind kind, std::string_view lines, uint64_t count) override {
    look(count);
    inner_.renderedDeclarations(kind, lines, count);
  }
  void declare(VariableKind kind, std::string_view name) override {
    look(1);
    inner_.declare(kind, name);
  }
  void end() override { inner_.end(); }

 private:
  void look(uint64_t count) {
    sinceLook_ += count;
    if (sinceLook_ < kLookEvery) return;
    sinceLook_ = 0;
    if (const std::optional<StopReason> reason = control_.stopReason()) throw GenerationStopped(*reason);
  }
  static constexpr uint64_t kLookEvery = 4096;

  ProgramConsumer& inner_;
  const SolveControl& control_;
  uint64_t sinceLook_ = 0;
};

}  // namespace paralog

#endif  // PARALOG_SOLVE_STOPPABLE_CONSUMER_H
