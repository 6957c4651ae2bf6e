// The committed built-in pictures and program icon pass the program's own icon check. What
// they look like is tied to the pixel art by the ico.committed_icons_match_art test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

TEST(BuiltInIcons, EveryCommittedFilePassesTheCheck) {
  for (const char* name :
       {"CapsLock_off.ico", "CapsLock_on.ico", "NumLock_off.ico", "NumLock_on.ico",
        "ScrollLock_off.ico", "ScrollLock_on.ico", "CapsLock_on_dark.ico", "NumLock_on_dark.ico",
        "ScrollLock_on_dark.ico", "murvane.ico"}) {
    const auto file = testing::ReadWholeFile(testing::SourcePath("resources/icons/") + name);
    EXPECT_EQ(FindIconFault(file), IconFault::kNone) << name;
  }
}

// The dark-ground variant is the "on" picture in every size with only its black glyph
// turned white: bevels, ground and transparency stay as drawn.
TEST(BuiltInIcons, DarkVariantTurnsOnlyTheBlackGlyphWhite) {
  for (const std::string key : {"CapsLock", "NumLock", "ScrollLock"}) {
    const auto on =
        testing::ReadWholeFile(testing::SourcePath("resources/icons/") + key + "_on.ico");
    const auto dark =
        testing::ReadWholeFile(testing::SourcePath("resources/icons/") + key + "_on_dark.ico");
    ASSERT_EQ(on.size(), dark.size()) << key;
    std::vector<bool> glyph(on.size(), false);
    for (std::size_t image = 0; image < testing::Peek(on, 4, 2); ++image) {
      const std::size_t entry = 6 + 16 * image;
      const std::size_t side = on[entry];
      const std::size_t pixels = testing::Peek(on, entry + 12) + 40;  // after BITMAPINFOHEADER
      std::size_t turned = 0;
      for (std::size_t at = pixels; at < pixels + side * side * 3; at += 3) {
        const bool black = on[at] == 0 && on[at + 1] == 0 && on[at + 2] == 0;
        const bool white = dark[at] == 255 && dark[at + 1] == 255 && dark[at + 2] == 255;
        if (black && white) glyph[at] = glyph[at + 1] = glyph[at + 2] = true;
        turned += black && white;
      }
      EXPECT_GT(turned, side) << key << " image " << image;
    }
    // Everything else, the headers and the transparency mask included, is as drawn.
    for (std::size_t at = 0; at < on.size(); ++at) {
      if (!glyph[at]) {
        ASSERT_EQ(on[at], dark[at]) << key << " byte " << at;
      }
    }
  }
}

}  // namespace
}  // namespace murvane
