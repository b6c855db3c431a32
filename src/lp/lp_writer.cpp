#include "lp/lp_writer.h"

#include <cstring>
#include <stdexcept>

#include "common/decimal.h"

namespace paralog {
namespace {

// A chunk goes to the sink once it holds this much: at least the buffer of
// an FdSink, which then writes it directly instead of copying it.
constexpr size_t kSendBytes = size_t{1} << 20;
// Room for one more row or declaration beyond kSendBytes (longer ones grow
// the chunk).
constexpr size_t kChunkBytes = kSendBytes + (size_t{1} << 16);

}  // namespace

LpWriter::LpWriter(ByteSink& out) : out_(out), chunk_(kChunkBytes) {}

char* LpWriter::reserve(size_t bytes) {
  if (chunk_.size() - used_ < bytes) {
    sendChunk();
    if (chunk_.size() < bytes) chunk_.resize(bytes);
  }
  return chunk_.data() + used_;
}

void LpWriter::put(std::string_view bytes) {
  std::memcpy(reserve(bytes.size()), bytes.data(), bytes.size());
  used_ += bytes.size();
}

void LpWriter::sendChunk() {
  if (used_ == 0) return;
  out_.write(std::string_view(chunk_.data(), used_));
  used_ = 0;
}

void LpWriter::objective(const TermList& terms) {
  // Every term is written as " + name" or " - c name" and the line drops the
  // very first blank, so even a first term keeps its sign.
  std::string line;
  for (const Term& term : terms) {
    line.append(term.coefficient < 0 ? " - " : " + ");
    const int64_t magnitude = term.coefficient < 0 ? -int64_t{term.coefficient} : term.coefficient;
    if (magnitude != 1) {
      appendDecimal(line, magnitude);
      line += ' ';
    }
    line.append(term.name);
  }
  put("Minimize\n\t");
  put(std::string_view(line).substr(line.empty() ? 0 : 1));
  put("\n\n");
}

void LpWriter::row(Section section, TermSpan terms, Relation relation, int32_t rhs) {
  if (stage_ != Stage::kRows) throw std::logic_error("a row after the declarations");
  if (section == Section::kBounds) {
    bounds_ += '\t';
    renderRow(terms, relation, rhs, bounds_);
    bounds_ += '\n';
    return;
  }
  openSubjectTo(1);
  char* const start = reserve(renderedRowBound(terms) + 2);
  char* out = start;
  *out++ = '\t';
  out = renderRow(terms, relation, rhs, out);
  *out++ = '\n';
  used_ += static_cast<size_t>(out - start);
  if (used_ >= kSendBytes) sendChunk();
}

void LpWriter::openSubjectTo(uint64_t rows) {
  if (subjectToRows_ == 0) {
    put(sectionName(Section::kSubjectTo));
    put("\n");
  }
  subjectToRows_ += rows;
}

void LpWriter::renderedRows(std::string_view lines, uint64_t count) {
  if (stage_ != Stage::kRows) throw std::logic_error("a row after the declarations");
  if (count == 0) return;
  openSubjectTo(count);
  putLines(lines);
}

void LpWriter::putLines(std::string_view lines) {
  if (lines.size() < kSendBytes / 2) {
    put(lines);
    if (used_ >= kSendBytes) sendChunk();
    return;
  }
  sendChunk();
  out_.write(lines);
}

void LpWriter::closeRows() {
  if (subjectToRows_ != 0) put("\n");
  if (!bounds_.empty()) {
    put(sectionName(Section::kBounds));
    put("\n");
    put(bounds_);
    put("\n");
    bounds_.clear();
    bounds_.shrink_to_fit();
  }
  put("\nBinary\n");
  stage_ = Stage::kBinary;
}

void LpWriter::openDeclarations(VariableKind kind) {
  if (kind == VariableKind::kContinuous) {
    throw std::logic_error("a declaration of a continuous variable");
  }
  if (stage_ == Stage::kRows) closeRows();
  if (kind == VariableKind::kGeneral && stage_ == Stage::kBinary) {
    put("\nGeneral\n");
    stage_ = Stage::kGeneral;
  }
  if (kind == VariableKind::kBinary && stage_ == Stage::kGeneral) {
    throw std::logic_error("a binary declaration after a general one");
  }
}

void LpWriter::renderedDeclarations(VariableKind kind, std::string_view lines, uint64_t count) {
  if (count == 0) return;
  openDeclarations(kind);
  putLines(lines);
}

void LpWriter::declare(VariableKind kind, std::string_view name) {
  openDeclarations(kind);
  char* const start = reserve(name.size() + 2);
  start[0] = '\t';
  std::memcpy(start + 1, name.data(), name.size());
  start[name.size() + 1] = '\n';
  used_ += name.size() + 2;
  if (used_ >= kSendBytes) sendChunk();
}

void LpWriter::end() {
  if (stage_ == Stage::kRows) closeRows();
  if (stage_ == Stage::kBinary) put("\nGeneral\n");
  put("\nEnd");
  sendChunk();
}

}  // namespace paralog
