#include <gtest/gtest.h>

#include <string>

#include "lp/ilp_task.h"
#include "lp/variables_storage.h"

namespace paralog {
namespace {

std::string writeToString(const VariablesStorage& storage, const IlpTask& task) {
  std::string out;
  StringSink sink(out);
  storage.writeLp(sink, task);
  return out;
}

TEST(LpWriterTest, WritesTheExampleFileByteForByte) {
  IlpTask task;
  VariablesStorage storage;
  storage.zVariable("a", 1, 1);
  storage.lVariable("a.1h");
  storage.oVariable(1, 1, 1);
  storage.uVariable(1, "a.1h", "a.1t");
  task.addConstraint("Subject To", "z_a.1.1 <= 1");
  task.addConstraint("Bounds", "u_1_a.1ha.1t >= 0");
  task.addConstraint("Subject To", "- z_a.1.1 + l_a.1h >= 0");
  EXPECT_EQ(writeToString(storage, task),
            "Minimize\n"
            "\t- 2 z_a.1.1 + l_a.1h + o_1_1 - 1 o_1_1\n"
            "\n"
            "Subject To\n"
            "\tz_a.1.1 <= 1\n"
            "\tl_a.1h - z_a.1.1 >= 0\n"
            "\n"
            "Bounds\n"
            "\tu_1_a.1ha.1t >= 0\n"
            "\n"
            "\n"
            "Binary\n"
            "\tz_a.1.1\n"
            "\n"
            "General\n"
            "\tl_a.1h\n"
            "\to_1_1\n"
            "\tu_1_a.1ha.1t\n"
            "\n"
            "End");
}

TEST(LpWriterTest, EmptyProgramHasAnEmptyObjectiveAndNoSections) {
  IlpTask task;
  VariablesStorage storage;
  EXPECT_EQ(writeToString(storage, task), "Minimize\n\t\n\n\nBinary\n\nGeneral\n\nEnd");
}

TEST(LpWriterTest, WritesOnlyTheKnownSectionsInFixedOrder) {
  IlpTask task;
  VariablesStorage storage;
  task.addConstraint("Bounds", "x >= 0");
  task.addConstraint("Extra", "y >= 0");
  task.addConstraint("Subject To", "x + y <= 1");
  task.addConstraint("Subject To", "x + y <= 1");
  EXPECT_EQ(writeToString(storage, task),
            "Minimize\n\t\n\n"
            "Subject To\n\tx + y <= 1\n\tx + y <= 1\n\n"
            "Bounds\n\tx >= 0\n\n"
            "\nBinary\n\nGeneral\n\nEnd");
  EXPECT_EQ(task.lines("Extra"), (std::vector<std::string>{"y >= 0"}));
}

TEST(LpWriterTest, AFailedLineStoresNothing) {
  IlpTask task;
  EXPECT_THROW(task.addConstraint("Bounds", "x + y"), std::runtime_error);
  std::string out;
  StringSink sink(out);
  task.writeSections(sink);
  EXPECT_EQ(out, "");
}

TEST(LpWriterTest, SpilledSectionsWriteTheSameBytes) {
  const std::string directory = ::testing::TempDir();
  IlpTask inMemory;
  IlpTask spilled(directory, 64);
  for (int i = 0; i < 1000; ++i) {
    const std::string line = "x_" + std::to_string(i % 37) + " + y <= " + std::to_string(i);
    inMemory.addConstraint(i % 3 == 0 ? "Bounds" : "Subject To", line);
    spilled.addConstraint(i % 3 == 0 ? "Bounds" : "Subject To", line);
  }
  std::string expected;
  std::string actual;
  StringSink expectedSink(expected);
  StringSink actualSink(actual);
  inMemory.writeSections(expectedSink);
  spilled.writeSections(actualSink);
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(spilled.lines("Bounds"), inMemory.lines("Bounds"));
}

}  // namespace
}  // namespace paralog

namespace paralog {
namespace {

TEST(LpWriterTest, BackgroundCanonicalisingKeepsEveryLineInPlace) {
  IlpTask direct;
  IlpTask background(::testing::TempDir(), 4096, true);
  for (int i = 0; i < 200000; ++i) {
    const std::string line = "y_" + std::to_string(i % 101) + " + x - " +
                             std::to_string(i % 7) + " x <= " + std::to_string(i);
    direct.addConstraint(i % 5 == 0 ? "Bounds" : "Subject To", line);
    background.addConstraint(i % 5 == 0 ? "Bounds" : "Subject To", line);
  }
  std::string expected;
  std::string actual;
  StringSink expectedSink(expected);
  StringSink actualSink(actual);
  direct.writeSections(expectedSink);
  background.writeSections(actualSink);
  EXPECT_EQ(actual, expected);
}

TEST(LpWriterTest, BackgroundFailureSurfacesAndStopsLaterLines) {
  IlpTask background(::testing::TempDir(), 4096, true);
  background.addConstraint("Subject To", "x <= 1");
  background.addConstraint("Subject To", "x + y");
  background.addConstraint("Subject To", "y <= 1");
  EXPECT_THROW(background.finish(), std::runtime_error);
}

TEST(LpWriterTest, BackgroundTaskCanBeDroppedWithWorkPending) {
  IlpTask background(::testing::TempDir(), 4096, true);
  for (int i = 0; i < 100000; ++i) background.addConstraint("Subject To", "a + b + c <= 1");
}

}  // namespace
}  // namespace paralog
