// The committed built-in pictures and program icon: sound files, every tray scale present,
// and drawn the way the program's look asks for.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using testing::Bytes;

constexpr IconColour kWhite{255, 255, 255};
constexpr IconColour kGrey{128, 128, 128};
constexpr IconColour kBlack{0, 0, 0};
constexpr IconColour kReleasedGlyph{160, 160, 164};

Bytes BuiltIn(const std::string& file_name) {
  return testing::ReadWholeFile(testing::SourcePath("resources/icons/" + file_name));
}

TEST(BuiltInIcons, EveryCommittedFilePassesTheCheck) {
  for (const char* name :
       {"CapsLock_off.ico", "CapsLock_on.ico", "NumLock_off.ico", "NumLock_on.ico",
        "ScrollLock_off.ico", "ScrollLock_on.ico", "murvane.ico"}) {
    EXPECT_EQ(FindIconFault(BuiltIn(name)), IconFault::kNone) << name;
  }
}

using ColourSet = std::set<std::tuple<int, int, int>>;

ColourSet Colours(std::initializer_list<IconColour> colours) {
  ColourSet set;
  for (const IconColour& colour : colours) set.insert({colour.red, colour.green, colour.blue});
  return set;
}

// A key cap: top and left edges in one colour, bottom and right in the other, a glyph in a
// third, and nothing else that is opaque.
void ExpectKeyCap(const Bytes& file, int side, IconColour top_left, IconColour bottom_right,
                  IconColour glyph) {
  SCOPED_TRACE(side);
  const std::vector<IconPixel> pixels = testing::TrueColourPixels(file, side);
  auto at = [&](int x, int y) { return pixels[y * side + x]; };
  const int middle = side / 2, last = side - 1;
  EXPECT_EQ(at(middle, 0), top_left);
  EXPECT_EQ(at(0, middle), top_left);
  EXPECT_EQ(at(middle, last), bottom_right);
  EXPECT_EQ(at(last, middle), bottom_right);
  ColourSet opaque;
  for (const IconPixel& pixel : pixels) {
    if (pixel) opaque.insert({pixel->red, pixel->green, pixel->blue});
  }
  EXPECT_EQ(opaque, Colours({top_left, bottom_right, glyph}));
}

// Off is a raised key with a grey glyph, on a sunken key with a black one, at every size the
// notification area may ask for.
TEST(BuiltInIcons, OffIsARaisedKeyAndOnASunkenOne) {
  for (const std::string key : {"CapsLock", "NumLock", "ScrollLock"}) {
    SCOPED_TRACE(key);
    const Bytes off = BuiltIn(key + "_off.ico");
    const Bytes on = BuiltIn(key + "_on.ico");
    for (int side : {16, 20, 24, 32}) {
      ExpectKeyCap(off, side, kWhite, kGrey, kReleasedGlyph);
      ExpectKeyCap(on, side, kGrey, kWhite, kBlack);
    }
  }
}

// Scroll Lock off alone also carries the classic 16-colour picture.
TEST(BuiltInIcons, OnlyScrollLockOffHasASixteenColourImage) {
  EXPECT_NE(testing::FindImage(BuiltIn("ScrollLock_off.ico"), 16, 4), 0u);
  EXPECT_EQ(testing::FindImage(BuiltIn("ScrollLock_on.ico"), 16, 4), 0u);
  EXPECT_EQ(testing::FindImage(BuiltIn("CapsLock_off.ico"), 16, 4), 0u);
}

}  // namespace
}  // namespace murvane
