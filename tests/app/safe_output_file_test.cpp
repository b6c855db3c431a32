#include "run_setup/safe_output_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/run_program.h"

namespace paralog {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testutil::TempDirectory;

void writeAll(int fd, const std::string& text) {
  ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
}

mode_t modeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0);
  return status.st_mode & 07777;
}

// Sets the process umask for one scope.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(previous_); }

 private:
  mode_t previous_;
};

class SafeOutputFileTest : public ::testing::TestWithParam<SafeOutputFile::Mode> {};

INSTANTIATE_TEST_SUITE_P(BothKindsOfTemporaryFile, SafeOutputFileTest,
                         ::testing::Values(SafeOutputFile::Mode::kAuto,
                                           SafeOutputFile::Mode::kNamed));

TEST_P(SafeOutputFileTest, CommitPutsTheContentInPlace) {
  TempDirectory directory;
  directory.write("out.lp", "old content that is longer than the new one");
  {
    SafeOutputFile output(directory.file("out.lp"), GetParam());
    EXPECT_EQ(output.directory(), directory.path());
    writeAll(output.fd(), "new");
    // Until the commit the old file is untouched.
    EXPECT_EQ(directory.read("out.lp"), "old content that is longer than the new one");
    output.commit();
    EXPECT_EQ(directory.read("out.lp"), "new");
  }
  EXPECT_EQ(directory.read("out.lp"), "new");
  EXPECT_THAT(directory.entries(), ElementsAre("out.lp"));
}

TEST_P(SafeOutputFileTest, WithoutCommitNothingChangesAndNothingIsLeft) {
  TempDirectory directory;
  directory.write("out.lp", "keep me");
  {
    SafeOutputFile output(directory.file("out.lp"), GetParam());
    writeAll(output.fd(), "half-written");
  }
  EXPECT_EQ(directory.read("out.lp"), "keep me");
  EXPECT_THAT(directory.entries(), ElementsAre("out.lp"));

  {
    SafeOutputFile output(directory.file("new.lp"), GetParam());
    writeAll(output.fd(), "half-written");
  }
  EXPECT_THAT(directory.entries(), ElementsAre("out.lp"));
}

TEST_P(SafeOutputFileTest, GetsTheModeOfANewlyCreatedFile) {
  TempDirectory directory;
  for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
    const std::string name = "out" + std::to_string(mask) + ".lp";
    {
      const ScopedUmask scoped(mask);
      SafeOutputFile output(directory.file(name), GetParam());
      output.commit();
    }
    EXPECT_EQ(modeOf(directory.file(name)), 0666 & ~mask) << "umask " << mask;
  }
}

TEST_P(SafeOutputFileTest, ReplacesTheTargetOfASymbolicLink) {
  TempDirectory directory;
  directory.write("real.lp", "old");
  ASSERT_EQ(::symlink("real.lp", directory.file("out.lp").c_str()), 0);
  {
    SafeOutputFile output(directory.file("out.lp"), GetParam());
    writeAll(output.fd(), "new");
    output.commit();
  }
  EXPECT_EQ(directory.read("real.lp"), "new");
  struct stat status {};
  ASSERT_EQ(::lstat(directory.file("out.lp").c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  EXPECT_THAT(directory.entries(), ElementsAre("out.lp", "real.lp"));
}

std::string constructionError(const std::string& path) {
  try {
    SafeOutputFile output(path);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

TEST(SafeOutputFileErrorsTest, UnwritablePathsFailAtOnce) {
  TempDirectory directory;
  ASSERT_EQ(::mkdir(directory.file("sub").c_str(), 0755), 0);
  EXPECT_EQ(constructionError(directory.file("sub")),
            "cannot write output file " + directory.file("sub") + ": Is a directory");
  EXPECT_EQ(constructionError(directory.file("sub/")),
            "cannot write output file " + directory.file("sub/") + ": Is a directory");
  EXPECT_EQ(constructionError(directory.file("missing/out.lp")),
            "cannot write output file " + directory.file("missing/out.lp") +
                ": cannot create a file in " + directory.file("missing") +
                ": No such file or directory");
  directory.write("file", "x");
  EXPECT_THAT(constructionError(directory.file("file/out.lp")), HasSubstr("Not a directory"));
  EXPECT_THAT(directory.entries(), ElementsAre("file", "sub"));
}

TEST(SafeOutputFileErrorsTest, CommitTwiceIsAProgrammingError) {
  TempDirectory directory;
  SafeOutputFile output(directory.file("out.lp"));
  output.commit();
  EXPECT_THROW(output.commit(), std::logic_error);
}

}  // namespace
}  // namespace paralog
