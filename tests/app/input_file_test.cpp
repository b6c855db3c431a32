#include "run_setup/input_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace paralog {
namespace {

TEST(InputFileTest, AnEndlessInputIsRefusedNotReadToExhaustion) {
  try {
    readInputFile("/dev/zero", 1 << 20);
    ADD_FAILURE() << "/dev/zero was read to its end";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "input file /dev/zero is larger than 1048576 bytes");
  }
}

TEST(InputFileTest, ADirectoryCannotBeOpenedAsInput) {
  EXPECT_THROW(readInputFile("/"), std::runtime_error);
}

}  // namespace
}  // namespace paralog
