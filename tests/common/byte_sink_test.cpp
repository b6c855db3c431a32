#include "common/byte_sink.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "common/anonymous_file.h"

namespace paralog {
namespace {

std::string readAll(int fd) {
  std::string content;
  char buffer[4096];
  off_t offset = 0;
  ssize_t got;
  while ((got = ::pread(fd, buffer, sizeof buffer, offset)) > 0) {
    content.append(buffer, static_cast<size_t>(got));
    offset += got;
  }
  return content;
}

TEST(ByteSinkTest, FdSinkBuffersLargeAndSmallWritesInOrder) {
  AnonymousFile file(::testing::TempDir());
  FdSink sink(file.fd(), "test file", 16);
  sink.write("abc");
  sink.write(std::string(40, 'x'));
  sink.write("def");
  sink.flush();
  EXPECT_EQ(readAll(file.fd()), "abc" + std::string(40, 'x') + "def");
  EXPECT_EQ(sink.bytesWritten(), 46u);
}

TEST(ByteSinkTest, CopiesAnotherFilesContent) {
  AnonymousFile source(::testing::TempDir());
  const std::string payload(300000, 'q');
  ASSERT_EQ(::pwrite(source.fd(), payload.data(), payload.size(), 0),
            static_cast<ssize_t>(payload.size()));

  AnonymousFile target(::testing::TempDir());
  FdSink fileSink(target.fd(), "target");
  fileSink.write("<");
  fileSink.writeFileContent(source.fd(), payload.size());
  fileSink.write(">");
  fileSink.flush();
  EXPECT_EQ(readAll(target.fd()), "<" + payload + ">");

  std::string text;
  StringSink stringSink(text);
  stringSink.writeFileContent(source.fd(), 10);
  EXPECT_EQ(text, "qqqqqqqqqq");
  EXPECT_THROW(stringSink.writeFileContent(source.fd(), payload.size() + 1), std::runtime_error);
}

TEST(ByteSinkTest, AFullDiskIsAnErrorNamingTheFile) {
  const int fd = ::open("/dev/full", O_WRONLY);
  if (fd < 0) GTEST_SKIP() << "no /dev/full here";
  FdSink sink(fd, "out.lp", 8);
  try {
    sink.write("12");
    sink.write("a line longer than the buffer");
    sink.flush();
    ADD_FAILURE() << "a write to a full disk succeeded";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("out.lp"), std::string::npos) << error.what();
  }
  ::close(fd);
}

TEST(ByteSinkTest, AnonymousFileNeedsAnExistingDirectory) {
  EXPECT_THROW(AnonymousFile("/nonexistent-directory/for/sure"), std::runtime_error);
}

}  // namespace
}  // namespace paralog
