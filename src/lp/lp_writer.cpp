#include "lp/lp_writer.h"

#include <stdexcept>

#include "common/decimal.h"

namespace paralog {

void LpWriter::objective(const TermList& terms) {
  // Every term is written as " + name" or " - c name" and the line drops the
  // very first blank, so even a first term keeps its sign.
  line_.clear();
  for (const Term& term : terms) {
    line_.append(term.coefficient < 0 ? " - " : " + ");
    const int64_t magnitude = term.coefficient < 0 ? -int64_t{term.coefficient} : term.coefficient;
    if (magnitude != 1) {
      appendDecimal(line_, magnitude);
      line_ += ' ';
    }
    line_.append(term.name);
  }
  out_.write("Minimize\n\t");
  out_.write(std::string_view(line_).substr(line_.empty() ? 0 : 1));
  out_.write("\n\n");
}

void LpWriter::row(Section section, const TermList& terms, Relation relation, int32_t rhs) {
  if (stage_ != Stage::kRows) throw std::logic_error("a row after the declarations");
  if (section == Section::kBounds) {
    bounds_ += '\t';
    renderRow(terms, relation, rhs, bounds_);
    bounds_ += '\n';
    return;
  }
  line_.clear();
  if (subjectToRows_++ == 0) {
    line_.append(sectionName(Section::kSubjectTo));
    line_ += '\n';
  }
  line_ += '\t';
  renderRow(terms, relation, rhs, line_);
  line_ += '\n';
  out_.write(line_);
}

void LpWriter::closeRows() {
  if (subjectToRows_ != 0) out_.write("\n");
  if (!bounds_.empty()) {
    out_.write(sectionName(Section::kBounds));
    out_.write("\n");
    out_.write(bounds_);
    out_.write("\n");
    bounds_.clear();
    bounds_.shrink_to_fit();
  }
  out_.write("\nBinary\n");
  stage_ = Stage::kBinary;
}

void LpWriter::declare(VariableKind kind, std::string_view name) {
  if (stage_ == Stage::kRows) closeRows();
  if (kind == VariableKind::kGeneral && stage_ == Stage::kBinary) {
    out_.write("\nGeneral\n");
    stage_ = Stage::kGeneral;
  }
  if (kind == VariableKind::kBinary && stage_ == Stage::kGeneral) {
    throw std::logic_error("a binary declaration after a general one");
  }
  line_.assign("\t");
  line_.append(name);
  line_ += '\n';
  out_.write(line_);
}

void LpWriter::end() {
  if (stage_ == Stage::kRows) closeRows();
  if (stage_ == Stage::kBinary) out_.write("\nGeneral\n");
  out_.write("\nEnd");
}

}  // namespace paralog
