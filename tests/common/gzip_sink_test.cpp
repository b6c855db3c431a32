#include "common/gzip_sink.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "support/gunzip.h"

namespace paralog {
namespace {

using testutil::gunzip;

TEST(GzipSinkTest, MembersDecompressToTheBytesWrittenInOrder) {
  std::mt19937 random(7);
  std::string text;
  while (text.size() < 300000) text += "\tt_1_a." + std::to_string(random() % 1000) + "h <= 1\n";
  std::string gzip;
  StringSink target(gzip);
  GzipSink sink(target, GzipSink::kDefaultLevel, 4096);
  for (size_t at = 0; at < text.size();) {
    const size_t piece = std::min<size_t>(text.size() - at, random() % 10000);
    sink.write(std::string_view(text).substr(at, piece));
    at += piece;
  }
  sink.finish();
  int members = 0;
  EXPECT_EQ(gunzip(gzip, &members), text);
  EXPECT_EQ(members, static_cast<int>((text.size() + 4095) / 4096));
  EXPECT_LT(gzip.size(), text.size() / 3);
}

TEST(GzipSinkTest, EmptyInputGivesOneEmptyMember) {
  std::string gzip;
  StringSink target(gzip);
  GzipSink sink(target);
  sink.finish();
  int members = 0;
  EXPECT_EQ(gunzip(gzip, &members), "");
  EXPECT_EQ(members, 1);
}

// A destination that fails like a full disk after a number of writes.
class FailingSink : public ByteSink {
 public:
  explicit FailingSink(int allowed) : allowed_(allowed) {}
  void write(std::string_view) override {
    if (allowed_-- <= 0) throw std::runtime_error("cannot write out.lp.gz: disk full");
  }

 private:
  int allowed_;
};

TEST(GzipSinkTest, AFailedWriteOfTheWorkerReachesTheWriter) {
  for (int allowed : {0, 3}) {
    FailingSink target(allowed);
    GzipSink sink(target, 1, 1024);
    const std::string block(1000, 'x');
    EXPECT_THROW(
        {
          for (int i = 0; i < 1000; ++i) sink.write(block);
          sink.finish();
        },
        std::runtime_error);
  }
  // Dropped without finish(): the worker stops and nothing is left running.
  FailingSink never(100);
  GzipSink dropped(never, 1, 1024);
  dropped.write(std::string(5000, 'y'));
}

}  // namespace
}  // namespace paralog
