// Whole-program runs into every kind of output: standard output, gzip files,
// FIFOs, devices, sockets and descriptors from process substitution. Each
// must receive exactly the LP file, and a pipe, socket or device must still
// be what it was afterwards.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/failing_run.h"
#include "support/gunzip.h"
#include "support/run_program.h"

namespace paralog {
namespace {

using testutil::errorOf;
using testutil::gunzip;
using testutil::kFullRunOutput;
using testutil::ProgramRun;
using testutil::runExecutable;
using testutil::TempDirectory;

std::string golden(const std::string& extension) {
  return testutil::readFile(testutil::sourcePath("tests/data/golden/paralogs_circular" + extension));
}

// A directory holding the golden input as in.txt.
struct GoldenRun {
  GoldenRun() { directory.write("in.txt", golden(".txt")); }
  ProgramRun run(const std::vector<std::string>& args) const {
    std::vector<std::string> all = {"-i", "in.txt"};
    all.insert(all.end(), args.begin(), args.end());
    return runExecutable(directory.path(), all);
  }
  TempDirectory directory;
};

// Runs `script` with bash in `directory`, expecting it to print nothing;
// returns its exit status.
int runBash(const std::string& directory, const std::string& script) {
  const testutil::ShellRun run = testutil::runShell(directory, script);
  EXPECT_EQ(run.output, "") << script;
  return run.exitStatus;
}

std::string executable() { return PARALOG_EXECUTABLE; }

TEST(OutputKindsTest, DashWritesToStandardOutputAndProgressToStandardError) {
  const GoldenRun setup;
  const ProgramRun run = setup.run({"-o", "-"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, golden(".lp"));
  EXPECT_EQ(run.err, kFullRunOutput);
  EXPECT_THAT(setup.directory.entries(), ::testing::ElementsAre("in.txt"));

  // Even a command line that is refused prints nothing on standard output.
  const ProgramRun refused = setup.run({"-o", "-", "--bogus"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "Parsing params...\nerror: unrecognised option '--bogus'\n");
}

// The portable form of the golden file: its one o variable merged, and a
// line end after "End" (no line is long).
std::string portableGolden() {
  std::string lp = golden(".lp");
  const size_t o = lp.find(" + o_1_0 - 2 o_1_0\n");
  EXPECT_NE(o, std::string::npos);
  lp.replace(o, 18, " - o_1_0");
  return lp + "\n";
}

TEST(OutputKindsTest, NamesEndingInGzGetGzipOfTheDefaultOrPortableFile) {
  const GoldenRun setup;
  ASSERT_EQ(setup.run({"-o", "out.lp.gz"}).exitStatus, 0);
  ASSERT_EQ(setup.run({"-o", "portable.lp", "--portable"}).exitStatus, 0);
  ASSERT_EQ(setup.run({"--portable", "-o", "portable.lp.gz"}).exitStatus, 0);
  EXPECT_EQ(gunzip(setup.directory.read("out.lp.gz")), golden(".lp"));
  EXPECT_EQ(setup.directory.read("portable.lp"), portableGolden());
  EXPECT_EQ(gunzip(setup.directory.read("portable.lp.gz")), portableGolden());
  // The standard tool reads it too, and a pipe into it gives the same bytes.
  EXPECT_EQ(runBash(setup.directory.path(),
                    "gzip -t out.lp.gz && " + executable() +
                        " -i in.txt -o - 2>/dev/null | gzip > piped.lp.gz"),
            0);
  EXPECT_EQ(gunzip(setup.directory.read("piped.lp.gz")), golden(".lp"));
  EXPECT_THAT(setup.directory.entries(),
              ::testing::ElementsAre("in.txt", "out.lp.gz", "piped.lp.gz", "portable.lp",
                                     "portable.lp.gz"));
}

TEST(OutputKindsTest, FifosAndLinksToThemAreWrittenInPlace) {
  const GoldenRun setup;
  const std::string fifo = setup.directory.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::symlink("fifo", setup.directory.file("link").c_str()), 0);
  for (const char* name : {"fifo", "link"}) {
    std::string received;
    std::thread reader([&] {
      std::ifstream in(fifo, std::ios::binary);
      received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    const ProgramRun run = setup.run({"-o", name});
    reader.join();
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, kFullRunOutput);
    EXPECT_EQ(received, golden(".lp")) << name;
    struct stat status {};
    ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
  }
  EXPECT_THAT(setup.directory.entries(), ::testing::ElementsAre("fifo", "in.txt", "link"));
}

TEST(OutputKindsTest, ProcessSubstitutionReceivesTheFile) {
  const GoldenRun setup;
  EXPECT_EQ(runBash(setup.directory.path(),
                    executable() + " -i in.txt -o >(cat > sub.lp) >/dev/null; wait $!"),
            0);
  EXPECT_EQ(setup.directory.read("sub.lp"), golden(".lp"));
  EXPECT_EQ(runBash(setup.directory.path(),
                    executable() + " -i in.txt --portable -o >(cat > sub.lp) >/dev/null; wait $!"),
            0);
  EXPECT_EQ(setup.directory.read("sub.lp"), portableGolden());
}

TEST(OutputKindsTest, UnixSocketsAreConnectedTo) {
  const GoldenRun setup;
  const std::string path = setup.directory.file("socket");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  std::string received;
  std::thread reader([&] {
    const int connection = ::accept(listener, nullptr, nullptr);
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(connection, buffer, sizeof buffer)) > 0) received.append(buffer, got);
    ::close(connection);
  });
  const ProgramRun run = setup.run({"-o", "socket"});
  reader.join();
  ::close(listener);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(received, golden(".lp"));
}

// A character device like `system` (/dev/null, /dev/full): a node of its
// own in `directory` where the test may make one (as root), so that a fault
// here cannot break the machine's, else the system's node itself.
std::string deviceLike(const TempDirectory& directory, const char* system) {
  struct stat status {};
  EXPECT_EQ(::stat(system, &status), 0);
  const std::string own = directory.file(std::strrchr(system, '/') + 1);
  if (::mknod(own.c_str(), S_IFCHR | 0666, status.st_rdev) == 0) return own;
  return system;
}

TEST(OutputKindsTest, DevicesAreWrittenInPlaceAndFailuresReported) {
  const GoldenRun setup;
  const std::string null = deviceLike(setup.directory, "/dev/null");
  struct stat before {};
  ASSERT_EQ(::stat(null.c_str(), &before), 0);
  ASSERT_TRUE(S_ISCHR(before.st_mode));
  const ProgramRun run = setup.run({"-o", null});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, kFullRunOutput);
  struct stat after {};
  ASSERT_EQ(::stat(null.c_str(), &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  EXPECT_EQ(after.st_rdev, before.st_rdev);
  EXPECT_EQ(after.st_ino, before.st_ino);

  const std::string full = deviceLike(setup.directory, "/dev/full");
  const ProgramRun failed = setup.run({"-o", full});
  EXPECT_EQ(errorOf(failed, 1), "cannot write " + full + ": No space left on device");
  ASSERT_EQ(::stat(full.c_str(), &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));
  for (const std::string& entry : setup.directory.entries()) {
    EXPECT_TRUE(entry == "in.txt" || entry == "null" || entry == "full") << entry;
  }
}

// A reader that goes away early: the run fails with one error line.
TEST(OutputKindsTest, AClosedPipeFailsTheRun) {
  TempDirectory directory;
  directory.write("in.txt", testutil::readFile(testutil::sourcePath("examples/two-genomes.txt")));
  EXPECT_EQ(runBash(directory.path(), executable() +
                                          " -i in.txt -o - 2>err.txt | head -c 1 >/dev/null; "
                                          "echo ${PIPESTATUS[0]} > status.txt"),
            0);
  EXPECT_EQ(directory.read("status.txt"), "1\n");
  EXPECT_THAT(directory.read("err.txt"),
              ::testing::EndsWith("error: cannot write standard output: Broken pipe\n"));
  EXPECT_EQ(directory.read("err.txt").find("error: "),
            directory.read("err.txt").rfind("error: "));
}

// A gzip or portable file that cannot be completed leaves the earlier file
// as it was, like a plain one.
TEST(OutputKindsTest, AFailedGzipOrPortableFileLeavesTheEarlierOne) {
  testutil::FailingRun setup(testutil::readFile(testutil::sourcePath("examples/two-genomes.txt")));
  testutil::RunOptions smallFiles;
  smallFiles.fileSizeLimit = 20000;
  for (const char* name : {"out.lp", "out.lp.gz"}) {
    setup.directory.write(name, testutil::kOldOutput);
    for (const bool portable : {false, true}) {
      std::vector<std::string> args = {"-i", "in.txt", "-o", name};
      if (portable) args.push_back("--portable");
      const ProgramRun run = setup.run(args, smallFiles);
      EXPECT_EQ(errorOf(run, 1),
                "cannot write " + setup.directory.file(name) + ": File too large");
      EXPECT_EQ(setup.directory.read(name), testutil::kOldOutput);
    }
  }
  EXPECT_EQ(setup.directory.entries(),
            (std::vector<std::string>{"in.txt", "out.lp", "out.lp.gz"}));
}

}  // namespace
}  // namespace paralog
