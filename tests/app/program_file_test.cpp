#include "app/program_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "genome/reader.h"
#include "support/lp_text.h"
#include "support/quiet_stdout.h"

namespace paralog {
namespace {

std::vector<Structure> structuresOf(const std::string& text) {
  TokenCursor input(text, "test input");
  readParalogTable(input);
  return readStructures(input).structures;
}

// Paralogs, circular chromosomes of one and of several genes, repeated
// copies, equal ids, an adjacency present in both genomes and genes in many
// copies (10 after 2).
const std::vector<std::string> kInputs = {
    "0 2 first 1 : 1 : L 2 : +a.1+b.1; second 2 : 1 : C 2 : +a.1-b.1;",
    "0 2 x 5 : 2 : L 3 : +a.1-b.1+a.2; C 2 : -c.1+d.1; "
    "y 5 : 3 : C 1 : +a.2; L 2 : +b.1-c.1; C 2 : +a.1+d.1;",
    "0 2 p 0 : 2 : C 3 : +g.1+g.10+g.2; L 2 : +h.1+h.1; "
    "q 3 : 2 : L 4 : +g.2-g.1+h.1-g.10; C 0 : ;",
    "1 a 1 2 s 1 : 1 : L 1 : +a.1; t 1 : 1 : L 1 : -a.1;",
};

// The file path (rows on a second thread) writes what the in-memory
// reference (one thread) builds, and reports the same progress.
TEST(ProgramFileTest, TwoThreadsWriteTheBytesOfOne) {
  for (const std::string& input : kInputs) {
    const std::vector<Structure> structures = structuresOf(input);
    std::string reported;
    std::string written;
    StringSink sink(written);
    writeProgram(sink, structures[0], structures[1],
                 [&](std::string_view line) { reported.append(line); });
    const testutil::QuietStdout quiet;
    EXPECT_EQ(written, lpTextFromStructures(structures[0], structures[1])) << input;
    EXPECT_EQ(reported,
              "Calculating Z variables\nCalculating T variables\nCalculating U variables\n"
              "Calculating P variables\nCalculating R variables\nCalculating L variables\n"
              "Calculating O variables\nWriting ilp task to file...\n");
  }
}

// Counts what reaches it; its first write from another thread than its
// creator's pauses, so that the row thread is still writing when
// generation fails.
class SlowCountingSink : public ByteSink {
 public:
  void write(std::string_view bytes) override {
    if (std::this_thread::get_id() != creator_ && !paused_.exchange(true)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    bytes_ += bytes.size();
  }
  size_t bytes() const { return bytes_; }

 private:
  const std::thread::id creator_ = std::this_thread::get_id();
  std::atomic<bool> paused_{false};
  std::atomic<size_t> bytes_{0};
};

// Generation that fails after many rows are on their way (a copy missing
// from its structure's copy list fails the t rows, after the z rows of 260 copies of one
// gene: 135200 terms, two batches): the exception reaches the caller, and
// from then on nothing writes into the caller's sink, which may then go.
TEST(ProgramFileTest, FailedGenerationStopsTheRowThreadBeforeReturning) {
  Structure first;
  Structure second;
  first.id = 1;
  second.id = 2;
  first.chromosomes.resize(1);
  second.chromosomes.resize(1);
  for (int32_t copy = 1; copy <= 260; ++copy) {
    for (Structure* s : {&first, &second}) {
      s->chromosomes[0].genes.push_back(Gene{"a", copy, 1});
      s->copies["a"].push_back(copy);
    }
  }
  first.chromosomes[0].genes.push_back(Gene{"lonely", 1, 1});

  auto sink = std::make_unique<SlowCountingSink>();
  EXPECT_THROW(writeProgram(*sink, first, second, [](std::string_view) {}), std::logic_error);
  const size_t written = sink->bytes();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(sink->bytes(), written);
  sink.reset();
}

}  // namespace
}  // namespace paralog
