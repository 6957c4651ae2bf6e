// The fuzzer's committed seeds are sorted by name into files the check accepts and files it
// refuses. Made by hand rather than by the writer, they also cover 1- and 8-bit bitmaps.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

TEST(FuzzSeeds, ValidSeedsPassAndBrokenSeedsFail) {
  int valid = 0;
  int broken = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(testing::SourcePath("tests/ico/fuzz_seeds"))) {
    const std::string name = entry.path().filename().string();
    const IconFault fault = FindIconFault(testing::ReadWholeFile(entry.path().string()));
    if (name.rfind("valid_", 0) == 0) {
      ++valid;
      EXPECT_EQ(fault, IconFault::kNone) << name << ": " << DescribeIconFault(fault);
    } else {
      ++broken;
      EXPECT_NE(fault, IconFault::kNone) << name;
    }
  }
  EXPECT_GE(valid, 5);
  EXPECT_GE(broken, 5);
}

}  // namespace
}  // namespace murvane
