#include "lp/lp_writer.h"

#include <cstring>
#include <stdexcept>

#include "common/decimal.h"
#include "lp/portable_line.h"

namespace paralog {
namespace {

// A chunk goes to the sink once it holds this much: at least the buffer of
// an FdSink, which then writes it directly instead of copying it.
constexpr size_t kSendBytes = size_t{1} << 20;
// Room for one more row or declaration beyond kSendBytes (longer ones grow
// the chunk).
constexpr size_t kChunkBytes = kSendBytes + (size_t{1} << 16);

// Every term is written as " + name" or " - c name"; the line drops the
// very first blank, so even a first term keeps its sign.
void appendObjectiveTerm(std::string& line, int64_t coefficient, std::string_view name) {
  line.append(coefficient < 0 ? " - " : " + ");
  const uint64_t magnitude = coefficient < 0 ? 0 - static_cast<uint64_t>(coefficient)
                                             : static_cast<uint64_t>(coefficient);
  if (magnitude != 1) {
    appendUnsignedDecimal(line, magnitude);
    line += ' ';
  }
  line.append(name);
}

}  // namespace

LpWriter::LpWriter(ByteSink& out, LpLayout layout)
    : out_(out), layout_(layout), chunk_(kChunkBytes) {}

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
  std::string line;
  if (layout_ == LpLayout::kPortable) {
    for (const MergedTerm& term : mergeRepeatedTerms(terms)) {
      appendObjectiveTerm(line, term.coefficient, term.name);
    }
  } else {
    for (const Term& term : terms) appendObjectiveTerm(line, term.coefficient, term.name);
  }
  put("Minimize\n");
  if (line.empty()) {
    line = "\t";
  } else {
    line[0] = '\t';
  }
  putWrapped(line);
  put("\n");
}

void LpWriter::putWrapped(std::string_view line) {
  if (layout_ == LpLayout::kDefault) {
    put(line);
    put("\n");
    return;
  }
  std::string wrapped;
  appendWrappedLine(line, wrapped);
  put(wrapped);
}

void LpWriter::row(Section section, TermSpan terms, Relation relation, int32_t rhs) {
  if (stage_ != Stage::kRows) throw std::logic_error("a row after the declarations");
  const size_t bound = renderedRowBound(terms) + 2;
  const bool mayWrap = layout_ == LpLayout::kPortable && bound > kPortableLineLimit;
  if (section == Section::kBounds || mayWrap) {
    std::string line = "\t";
    renderRow(terms, relation, rhs, line);
    if (section == Section::kBounds) {
      if (mayWrap) {
        appendWrappedLine(line, bounds_);
      } else {
        bounds_.append(line).push_back('\n');
      }
      return;
    }
    openSubjectTo(1);
    putWrapped(line);
    if (used_ >= kSendBytes) sendChunk();
    return;
  }
  openSubjectTo(1);
  char* const start = reserve(bound);
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
  put(layout_ == LpLayout::kPortable ? "\nEnd\n" : "\nEnd");
  sendChunk();
}

}  // namespace paralog
