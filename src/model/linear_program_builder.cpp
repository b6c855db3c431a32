#include "model/linear_program_builder.h"

#include <stdexcept>

namespace paralog {

void LinearProgramBuilder::objective(const TermList& terms) {
  // A name may stand twice (the o variables); its coefficients add up.
  for (const Term& term : terms) {
    program_.variables()[program_.addVariable(term.name)].objective += term.coefficient;
  }
}

void LinearProgramBuilder::row(Section section, TermSpan terms, Relation relation, int32_t rhs) {
  if (section == Section::kBounds) {
    std::string text;
    renderRow(terms, relation, rhs, text);
    if (terms.size() != 1 || terms.begin()->coefficient != 1 || relation == Relation::kEqual) {
      throw std::logic_error("a bound row names one variable with coefficient 1: " + text);
    }
    bounds_.push_back(Bound{std::string(terms.begin()->name), relation, rhs, std::move(text)});
    return;
  }
  ProgramRow& added = program_.rows().emplace_back();
  added.terms.reserve(terms.size());
  for (const Term& term : terms) {
    added.terms.emplace_back(program_.addVariable(term.name), term.coefficient);
  }
  added.relation = relation;
  added.rhs = rhs;
}

void LinearProgramBuilder::applyBounds() {
  if (boundsApplied_) return;
  boundsApplied_ = true;
  for (Bound& bound : bounds_) {
    ProgramVariable& variable = program_.variables()[program_.addVariable(bound.name)];
    if (bound.relation == Relation::kGreaterEqual) {
      variable.lower = bound.rhs;
      variable.lowerText = std::move(bound.text);
    } else {
      variable.upper = bound.rhs;
      variable.upperText = std::move(bound.text);
    }
  }
  bounds_.clear();
}

void LinearProgramBuilder::declare(VariableKind kind, std::string_view name) {
  applyBounds();
  ProgramVariable& variable = program_.variables()[program_.addVariable(name)];
  variable.kind = kind;
  if (kind == VariableKind::kBinary) {
    variable.lower = 0;
    variable.upper = 1;
  }
}

void LinearProgramBuilder::end() { applyBounds(); }

void ProgramTee::objective(const TermList& terms) {
  first_.objective(terms);
  second_.objective(terms);
}

void ProgramTee::row(Section section, TermSpan terms, Relation relation, int32_t rhs) {
  first_.row(section, terms, relation, rhs);
  second_.row(section, terms, relation, rhs);
}

void ProgramTee::declare(VariableKind kind, std::string_view name) {
  first_.declare(kind, name);
  second_.declare(kind, name);
}

void ProgramTee::end() {
  first_.end();
  second_.end();
}

}  // namespace paralog
