#include "lp/row_pipeline.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

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

std::string direct(int count) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  CanonicalRows rows(writer);
  for (int i = 0; i < count; ++i) addRow(rows, i);
  writer.end();
  return out;
}

std::string pipelined(int count, size_t batchTerms) {
  std::string out;
  StringSink sink(out);
  LpWriter writer(sink);
  {
    RowPipeline rows(writer, batchTerms);
    for (int i = 0; i < count; ++i) addRow(rows, i);
    rows.drain();
  }
  writer.end();
  return out;
}

// Every row stays in place whatever the batch size, also for row counts
// just around a batch border (rows hold 1 to 4 terms, 2.5 on average).
TEST(RowPipelineTest, RowsKeepTheirPlaceAcrossBatchBorders) {
  for (size_t batchTerms : {size_t{1}, size_t{4}, size_t{10}, size_t{64}}) {
    for (int count : {0, 1, 3, 4, 5, 39, 40, 41, 1000}) {
      EXPECT_EQ(pipelined(count, batchTerms), direct(count))
          << count << " rows, batches of " << batchTerms << " terms";
    }
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
