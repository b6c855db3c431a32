#include "app/program_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/generate_program.h"
#include "common/anonymous_file.h"
#include "genome/reader.h"
#include "ilp/objective_forecast.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

std::vector<Structure> structuresOf(const std::string& text) {
  TokenCursor input(text, "test input");
  readParalogTable(input);
  return readStructures(input);
}

// Inputs that exercise every source of objective names: paralogs, circular
// chromosomes of one and of several genes, repeated copies, equal ids, an
// adjacency present in both genomes and genes in many copies (10 after 2).
const std::vector<std::string> kInputs = {
    "0 2 first 1 : 1 : L 2 : +a.1+b.1; second 2 : 1 : C 2 : +a.1-b.1;",
    "0 2 x 5 : 2 : L 3 : +a.1-b.1+a.2; C 2 : -c.1+d.1; "
    "y 5 : 3 : C 1 : +a.2; L 2 : +b.1-c.1; C 2 : +a.1+d.1;",
    "0 2 p 0 : 2 : C 3 : +g.1+g.10+g.2; L 2 : +h.1+h.1; "
    "q 3 : 2 : L 4 : +g.2-g.1+h.1-g.10; C 0 : ;",
    "1 a 1 2 s 1 : 1 : L 1 : +a.1; t 1 : 1 : L 1 : -a.1;",
};

std::string generatedObjective(const Structure& first, const Structure& second) {
  VariablesStorage storage;
  IlpTask task;
  testing::internal::CaptureStdout();
  generateProgram(task, first, second, storage);
  testing::internal::GetCapturedStdout();
  return storage.objectiveText();
}

TEST(ProgramFileTest, ForecastObjectiveMatchesTheGeneratedOne) {
  for (const std::string& input : kInputs) {
    const std::vector<Structure> structures = structuresOf(input);
    ASSERT_GE(structures.size(), 2u);
    EXPECT_EQ(forecastObjective(structures[0], structures[1]),
              generatedObjective(structures[0], structures[1]))
        << input;
  }
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// The streamed file must hold exactly what writeLp writes in one go.
TEST(ProgramFileTest, WritesTheSameBytesAsTheWholeFileWriter) {
  const std::string directory = ::testing::TempDir();
  for (const std::string& input : kInputs) {
    const std::vector<Structure> structures = structuresOf(input);
    VariablesStorage storage;
    IlpTask task;
    testing::internal::CaptureStdout();
    generateProgram(task, structures[0], structures[1], storage);
    std::string expected;
    StringSink expectedSink(expected);
    storage.writeLp(expectedSink, task);

    const std::string path = directory + "/program_file_test.lp";
    {
      OutputTarget output(path);
      writeProgramFile(output, {}, structures[0], structures[1]);
      output.commit();
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(readFile(path), expected) << input;
  }
}

// A wrong forecast, or a section ahead of the streamed one, must lead to a
// file written anew, identical to the plain writer's.
TEST(ProgramFileTest, StreamedSectionCanBeTakenBackAndWrittenAnew) {
  const std::string directory = ::testing::TempDir();
  for (const bool extraMinimizeLine : {false, true}) {
    // The output file itself holds the streamed text, so it must be readable.
    SafeOutputFile file(directory + "/streamed.lp");
    FdSink sink(file.fd(), "test file");
    IlpTask task(directory, 64, /*background=*/true);
    VariablesStorage storage;
    VariablesStorage::writeLpHead(sink, "a wrong forecast");
    const uint64_t start = sink.bytesWritten();
    task.streamSection("Subject To", sink);
    for (int i = 0; i < 500; ++i) {
      task.addConstraint("Subject To", "b_" + std::to_string(i) + " + a <= " + std::to_string(i));
      if (i % 50 == 0) task.addConstraint("Bounds", "a >= " + std::to_string(-i));
    }
    if (extraMinimizeLine) task.addConstraint("Minimize", "a >= 0");
    storage.zVariable("a", 1, 1);
    task.finish();
    sink.flush();

    task.unstreamSection("Subject To", file.fd(), start);
    std::string rewritten;
    StringSink rewrittenSink(rewritten);
    storage.writeLp(rewrittenSink, task);

    IlpTask plain;
    for (int i = 0; i < 500; ++i) {
      plain.addConstraint("Subject To", "b_" + std::to_string(i) + " + a <= " + std::to_string(i));
      if (i % 50 == 0) plain.addConstraint("Bounds", "a >= " + std::to_string(-i));
    }
    if (extraMinimizeLine) plain.addConstraint("Minimize", "a >= 0");
    std::string expected;
    StringSink expectedSink(expected);
    storage.writeLp(expectedSink, plain);
    EXPECT_EQ(rewritten, expected);
  }
}

TEST(ProgramFileTest, StreamedSectionWithoutLinesIsNotWritten) {
  AnonymousFile file(::testing::TempDir());
  FdSink sink(file.fd(), "test file");
  IlpTask task(::testing::TempDir());
  task.streamSection("Subject To", sink);
  task.addConstraint("Bounds", "x >= 0");
  VariablesStorage storage;
  storage.writeLpAfterObjective(sink, task);
  sink.flush();
  std::string content(4096, '\0');
  content.resize(static_cast<size_t>(::pread(file.fd(), content.data(), content.size(), 0)));
  EXPECT_EQ(content, "Bounds\n\tx >= 0\n\n\nBinary\n\nGeneral\n\nEnd");
}

}  // namespace
}  // namespace paralog
