#include "lp/row_pipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "lp/canonical_rows.h"
#include "lp/lp_writer.h"

namespace paralog {
namespace {

// Row i of a deterministic stream: terms out of order with repeats, rows of
// both sections, so that ordering, merging and sections all show.
const char* const kNames[] = {"x_3", "x_1", "y", "x_2", "a"};

void addRow(RowSink& rows, int i) {
  TermList terms;
  for (int t = 0; t <= i % 4; ++t) terms.push_back(Term{kNames[(i + 2 * t) % 5], 1 + t});
  rows.add(i % 5 == 0 ? Section::kBounds : Section::kSubjectTo, terms,
           i % 2 == 0 ? Relation::kLessEqual : Relation::kGreaterEqual, i);
}

// count / 3 binary names, then count / 2 general ones, as the storage
// declares them after the rows. The names outlive every pipeline.
void declareNames(DeclarationSink& names, int count) {
  static const std::vector<std::string> kDeclared = [] {
    std::vector<std::string> all;
    for (int i = 0; i < 100000; ++i) all.push_back("v_" + std::to_string(1000000 + i));
    return all;
  }();
  const size_t binary = static_cast<size_t>(count / 3);
  const size_t total = std::min(kDeclared.size(), binary + static_cast<size_t>(count / 2));
  for (size_t i = 0; i < total; ++i) {
    names.declare(i < binary ? VariableKind::kBinary : VariableKind::kGeneral, kDeclared[i]);
  }
}

std::string direct(int count) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  CanonicalRows rows(writer);
  for (int i = 0; i < count; ++i) addRow(rows, i);
  declareNames(writer, count);
  writer.end();
  return out;
}

enum class Consumer { kRendered, kTyped, kRenderedSlowly };

// Hands rows on to an LP writer: as typed rows only, the way a solver model
// takes them (nothing is rendered ahead), or rendered with a pause now and
// then, so that batches pile up and the generating thread renders some.
class Forwarder : public ProgramConsumer {
 public:
  Forwarder(ProgramConsumer& next, Consumer kind) : next_(next), kind_(kind) {}
  void objective(const TermList& terms) override { next_.objective(terms); }
  void row(Section section, TermSpan terms, Relation relation, int32_t rhs) override {
    next_.row(section, terms, relation, rhs);
  }
  bool takesRenderedRows() const override { return kind_ != Consumer::kTyped; }
  void renderedRows(std::string_view lines, uint64_t count) override {
    if (kind_ == Consumer::kRenderedSlowly && ++calls_ % 8 == 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    next_.renderedRows(lines, count);
  }
  void declare(VariableKind kind, std::string_view name) override { next_.declare(kind, name); }
  void renderedDeclarations(VariableKind kind, std::string_view lines, uint64_t count) override {
    next_.renderedDeclarations(kind, lines, count);
  }
  void end() override { next_.end(); }

 private:
  ProgramConsumer& next_;
  Consumer kind_;
  size_t calls_ = 0;
};

std::string pipelined(int count, size_t batchTerms, Consumer kind = Consumer::kRendered) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  Forwarder forwarder(writer, kind);
  {
    RowPipeline rows(forwarder, batchTerms);
    for (int i = 0; i < count; ++i) addRow(rows, i);
    declareNames(rows, count);
    rows.drain();
  }
  writer.end();
  return out;
}

// Every row and declaration stays in place whatever the batch size, also
// for row counts just around a batch border (rows hold 1 to 4 terms, 2.5 on
// average), whether batches are rendered ahead (by either thread) or not.
TEST(RowPipelineTest, RowsKeepTheirPlaceAcrossBatchBorders) {
  for (Consumer kind : {Consumer::kRendered, Consumer::kTyped, Consumer::kRenderedSlowly}) {
    for (size_t batchTerms : {size_t{1}, size_t{4}, size_t{10}, size_t{64}}) {
      for (int count : {0, 1, 3, 4, 5, 39, 40, 41, 1000}) {
        EXPECT_EQ(pipelined(count, batchTerms, kind), direct(count))
            << count << " rows, batches of " << batchTerms << " terms, consumer "
            << static_cast<int>(kind);
      }
    }
  }
}

// Batches whose rendered text is around the LP writer's chunk (1 MiB) and
// around half of it, where the writer switches from copying to writing the
// text straight through: the bytes stay those of the direct path.
TEST(RowPipelineTest, RenderedBatchesAroundTheWriterChunkKeepTheirPlace) {
  const int count = 120000;
  const std::string expected = direct(count);
  // About 9.6 bytes per term: batches of 55000 terms render about 512 KiB,
  // of 110000 about 1 MiB.
  ASSERT_GT(expected.size(), size_t{2} << 20);
  for (size_t batchTerms : {size_t{50000}, size_t{60000}, size_t{100000}, size_t{120000}}) {
    EXPECT_TRUE(pipelined(count, batchTerms) == expected) << "batches of " << batchTerms;
  }
}

// Refuses every write after the first `allowed` bytes.
class FullSink : public ByteSink {
 public:
  explicit FullSink(size_t allowed) : allowed_(allowed) {}
  void write(std::string_view bytes) override {
    if (bytes.size() > allowed_) throw std::runtime_error("cannot write: disk full");
    allowed_ -= bytes.size();
  }

 private:
  size_t allowed_;
};

TEST(RowPipelineTest, AnOverflowingRowFailsItsOwnAddAndAFailedWriteALaterCall) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  RowPipeline pipeline(writer, 1);
  RowSink& rows = pipeline;
  EXPECT_THROW(
      rows.add(Section::kSubjectTo, {Term{"x", INT32_MAX}, Term{"x", 1}}, Relation::kLessEqual, 1),
      std::runtime_error);
  rows.add(Section::kSubjectTo, {Term{"x", 1}}, Relation::kLessEqual, 1);
  pipeline.drain();
  writer.end();
  EXPECT_EQ(out, "Subject To\n\tx <= 1\n\n\nBinary\n\nGeneral\n\nEnd");

  FullSink full(100);
  LpWriter fullWriter(full);
  RowPipeline fullRows(fullWriter, 64);
  // A few MiB of rows: the writer's chunks meet the full sink on the way.
  EXPECT_THROW(
      {
        for (int i = 0; i < 400000; ++i) addRow(fullRows, i);
        fullRows.drain();
      },
      std::runtime_error);
}

// A sink slow enough that the worker is still writing when the generating
// thread gives up; it checks that it is alive whenever it is written to.
class SlowSink : public ByteSink {
 public:
  ~SlowSink() override { alive_ = false; }
  void write(std::string_view bytes) override {
    if (!alive_) std::abort();
    if (++writes_ % 256 == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
    bytes_ += bytes.size();
  }

 private:
  bool alive_ = true;
  size_t writes_ = 0;
  size_t bytes_ = 0;
};

// Declared in this order, the sink outlives the pipeline: an exception on
// the generating thread stops the worker before the sink goes.
TEST(RowPipelineTest, AnExceptionWhileTheWorkerWritesUnwindsSafely) {
  SlowSink sink;
  LpWriter writer(sink);
  EXPECT_THROW(
      {
        RowPipeline rows(writer, 8);
        for (int i = 0; i < 20000; ++i) addRow(rows, i);
        throw std::out_of_range("generation failed");
      },
      std::out_of_range);
}

}  // namespace
}  // namespace paralog
