// The committed built-in pictures and program icon: sound files, every tray scale present,
// and drawn the way the program's look asks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using testing::DecodedImage;

constexpr IconColour kWhite{255, 255, 255};
constexpr IconColour kGrey{128, 128, 128};
constexpr IconColour kLightGrey{192, 192, 192};
constexpr IconColour kBlack{0, 0, 0};
constexpr IconColour kReleasedGlyph{160, 160, 164};

const std::string kKeyNames[] = {"CapsLock", "NumLock", "ScrollLock"};
constexpr int kTraySizes[] = {16, 20, 24, 32};

std::vector<DecodedImage> Decode(const std::string& file_name) {
  return testing::DecodeIcon(testing::ReadWholeFile(testing::BuiltInIconPath(file_name)));
}

const DecodedImage& Find(const std::vector<DecodedImage>& images, int size, int bit_depth) {
  const auto found = std::find_if(images.begin(), images.end(), [&](const DecodedImage& image) {
    return image.width == size && image.height == size && image.bit_depth == bit_depth;
  });
  if (found == images.end()) throw std::runtime_error("no such image");
  return *found;
}

std::set<std::tuple<int, int, int>> OpaqueColours(const DecodedImage& image) {
  std::set<std::tuple<int, int, int>> colours;
  for (const IconPixel& pixel : image.pixels) {
    if (pixel) colours.insert({pixel->red, pixel->green, pixel->blue});
  }
  return colours;
}

std::set<std::tuple<int, int, int>> ColourSet(std::initializer_list<IconColour> colours) {
  std::set<std::tuple<int, int, int>> set;
  for (const IconColour& colour : colours) set.insert({colour.red, colour.green, colour.blue});
  return set;
}

std::vector<bool> Where(const DecodedImage& image, IconPixel wanted) {
  std::vector<bool> where;
  for (const IconPixel& pixel : image.pixels) where.push_back(pixel == wanted);
  return where;
}

std::vector<bool> OpaqueWhere(const DecodedImage& image) {
  std::vector<bool> where;
  for (const IconPixel& pixel : image.pixels) where.push_back(pixel.has_value());
  return where;
}

// Top and left edge in one colour, bottom and right edge in the other. The border is one
// pixel thick per 16 pixels of picture, and the bottom and right edges own the corners.
void ExpectKeyEdges(const DecodedImage& image, IconColour top_left, IconColour bottom_right) {
  const int last = image.width - 1;
  const int thickness = image.width / 16;
  for (int i = 0; i <= last - thickness; ++i) {
    EXPECT_EQ(image.At(i, 0), IconPixel{top_left}) << "top edge at " << i;
    EXPECT_EQ(image.At(0, i), IconPixel{top_left}) << "left edge at " << i;
  }
  for (int i = 0; i <= last; ++i) {
    EXPECT_EQ(image.At(i, last), IconPixel{bottom_right}) << "bottom edge at " << i;
    EXPECT_EQ(image.At(last, i), IconPixel{bottom_right}) << "right edge at " << i;
  }
}

class BuiltInIconFile : public ::testing::TestWithParam<std::string> {};

INSTANTIATE_TEST_SUITE_P(Committed, BuiltInIconFile,
                         ::testing::Values("CapsLock_off.ico", "CapsLock_on.ico", "NumLock_off.ico",
                                           "NumLock_on.ico", "ScrollLock_off.ico",
                                           "ScrollLock_on.ico", "murvane.ico"),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

TEST_P(BuiltInIconFile, PassesTheCheck) {
  const testing::Bytes file = testing::ReadWholeFile(testing::BuiltInIconPath(GetParam()));
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
}

class BuiltInKeyPicture : public ::testing::TestWithParam<std::string> {
 protected:
  std::vector<DecodedImage> off_ = Decode(GetParam() + "_off.ico");
  std::vector<DecodedImage> on_ = Decode(GetParam() + "_on.ico");
};

INSTANTIATE_TEST_SUITE_P(Keys, BuiltInKeyPicture, ::testing::ValuesIn(kKeyNames),
                         [](const auto& info) { return info.param; });

TEST_P(BuiltInKeyPicture, HoldsATrueColourImageForEveryTrayScale) {
  const std::size_t extra = GetParam() == "ScrollLock" ? 1 : 0;
  EXPECT_EQ(off_.size(), std::size(kTraySizes) + extra);
  EXPECT_EQ(on_.size(), std::size(kTraySizes));
  for (int size : kTraySizes) {
    EXPECT_NO_THROW(Find(off_, size, 24)) << size;
    EXPECT_NO_THROW(Find(on_, size, 24)) << size;
  }
  EXPECT_EQ(off_.front().width, 16) << "the 16-pixel picture comes first";
}

TEST_P(BuiltInKeyPicture, ReleasedKeyIsRaisedWithAGreyGlyphOnAClearGround) {
  for (int size : kTraySizes) {
    SCOPED_TRACE(size);
    const DecodedImage& image = Find(off_, size, 24);
    ExpectKeyEdges(image, kWhite, kGrey);
    EXPECT_EQ(OpaqueColours(image), ColourSet({kWhite, kGrey, kReleasedGlyph}));
    EXPECT_FALSE(image.At(2, 2).has_value()) << "the ground shows through";
  }
}

TEST_P(BuiltInKeyPicture, PressedKeyIsSunkenWithABlackGlyph) {
  for (int size : kTraySizes) {
    SCOPED_TRACE(size);
    const DecodedImage& image = Find(on_, size, 24);
    ExpectKeyEdges(image, kGrey, kWhite);
    EXPECT_EQ(OpaqueColours(image), ColourSet({kWhite, kGrey, kBlack}));
  }
}

TEST_P(BuiltInKeyPicture, PressedAndReleasedShowTheSameShape) {
  for (int size : kTraySizes) {
    SCOPED_TRACE(size);
    const DecodedImage& off = Find(off_, size, 24);
    const DecodedImage& on = Find(on_, size, 24);
    EXPECT_EQ(OpaqueWhere(off), OpaqueWhere(on));
    EXPECT_EQ(Where(off, kReleasedGlyph), Where(on, kBlack));
  }
}

TEST(ScrollLockPicture, ReleasedFileAlsoHoldsASixteenColourImageWithLightGreyArrows) {
  const auto off = Decode("ScrollLock_off.ico");
  const DecodedImage& classic = Find(off, 16, 4);
  const DecodedImage& modern = Find(off, 16, 24);
  ExpectKeyEdges(classic, kWhite, kGrey);
  EXPECT_EQ(OpaqueColours(classic), ColourSet({kWhite, kGrey, kLightGrey}));
  EXPECT_EQ(OpaqueWhere(classic), OpaqueWhere(modern));
  EXPECT_EQ(Where(classic, kLightGrey), Where(modern, kReleasedGlyph));
}

// Where the glyph is widest within one half of the picture: a down arrow has its head low.
int WidestGlyphRow(const DecodedImage& image, int first_column, int end_column) {
  int widest_row = 0;
  int widest = 0;
  for (int y = 1; y < image.height - 1; ++y) {
    int width = 0;
    for (int x = first_column; x < end_column; ++x) width += image.At(x, y) == IconPixel{kBlack};
    if (width > widest) std::tie(widest_row, widest) = std::tuple{y, width};
  }
  return widest_row;
}

TEST(ScrollLockPicture, LeftArrowPointsDownAndRightArrowUp) {
  const auto on = Decode("ScrollLock_on.ico");
  for (int size : kTraySizes) {
    SCOPED_TRACE(size);
    const DecodedImage& image = Find(on, size, 24);
    EXPECT_GT(WidestGlyphRow(image, 0, size / 2), size / 2);
    EXPECT_LT(WidestGlyphRow(image, size / 2, size), size / 2);
  }
}

TEST(ProgramIcon, IsAnOpaqueLightGreyKeyCapWithABlackLetterInThreeSizes) {
  const auto images = Decode("murvane.ico");
  ASSERT_EQ(images.size(), 3u);
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    const DecodedImage& image = Find(images, size, 24);
    const std::vector<bool> opaque = OpaqueWhere(image);
    EXPECT_EQ(std::count(opaque.begin(), opaque.end(), false), 0);
    EXPECT_EQ(OpaqueColours(image), ColourSet({kLightGrey, kWhite, kGrey, kBlack}));
    EXPECT_EQ(image.At(0, 0), IconPixel{kWhite});
    EXPECT_EQ(image.At(size - 1, size - 1), IconPixel{kGrey});
    EXPECT_EQ(image.At(size / 4, size / 2), IconPixel{kLightGrey}) << "the cap's face";
  }
}

}  // namespace
}  // namespace murvane
