// The committed built-in pictures and program icon pass the program's own icon check. What
// they look like is tied to the pixel art by the ico.committed_icons_match_art test.
#include <gtest/gtest.h>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

TEST(BuiltInIcons, EveryCommittedFilePassesTheCheck) {
  for (const char* name :
       {"CapsLock_off.ico", "CapsLock_on.ico", "NumLock_off.ico", "NumLock_on.ico",
        "ScrollLock_off.ico", "ScrollLock_on.ico", "murvane.ico"}) {
    const auto file = testing::ReadWholeFile(testing::SourcePath("resources/icons/") + name);
    EXPECT_EQ(FindIconFault(file), IconFault::kNone) << name;
  }
}

}  // namespace
}  // namespace murvane
