// The committed built-in pictures and program icon pass the program's own icon check. What
// they look like is tied to the pixel art by the ico.committed_icons_match_art test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using testing::Peek, testing::ReadWholeFile, testing::SourcePath;

TEST(BuiltInIcons, EveryCommittedFilePassesTheCheck) {
  for (const std::string name :
       {"CapsLock_off", "CapsLock_on", "NumLock_off", "NumLock_on", "ScrollLock_off",
        "ScrollLock_on", "CapsLock_on_dark", "NumLock_on_dark", "ScrollLock_on_dark", "murvane"})
    EXPECT_EQ(FindIconFault(ReadWholeFile(SourcePath("resources/icons/" + name + ".ico"))),
              IconFault::kNone)
        << name;
}

// The dark-ground variant is the "on" picture in every size with only its black glyph
// turned white: bevels, ground, headers and the transparency mask stay as drawn.
TEST(BuiltInIcons, DarkVariantTurnsOnlyTheBlackGlyphWhite) {
  for (const std::string key : {"CapsLock", "NumLock", "ScrollLock"}) {
    const auto on = ReadWholeFile(SourcePath("resources/icons/" + key + "_on.ico"));
    const auto dark = ReadWholeFile(SourcePath("resources/icons/" + key + "_on_dark.ico"));
    ASSERT_EQ(on.size(), dark.size()) << key;
    std::vector<bool> glyph(on.size(), false);
    for (std::size_t image = 0; image < Peek(on, 4, 2); ++image) {
      const std::size_t side = on[6 + 16 * image], pixels = Peek(on, 6 + 16 * image + 12) + 40;
      std::size_t turned = 0;
      for (std::size_t at = pixels; at < pixels + side * side * 3; at += 3) {
        const bool black = on[at] == 0 && on[at + 1] == 0 && on[at + 2] == 0;
        if (black && dark[at] == 255 && dark[at + 1] == 255 && dark[at + 2] == 255)
          glyph[at] = glyph[at + 1] = glyph[at + 2] = ++turned > 0;
      }
      EXPECT_GT(turned, side) << key << " image " << image;
    }
    for (std::size_t at = 0; at < on.size(); ++at)
      if (!glyph[at]) {
        ASSERT_EQ(on[at], dark[at]) << key << " byte " << at;
      }
  }
}

}  // namespace
}  // namespace murvane
