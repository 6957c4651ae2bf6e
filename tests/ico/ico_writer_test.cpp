// The writer's files, read back byte by byte: directory, bitmap header, pixel order, mask.
#include <gtest/gtest.h>

#include <stdexcept>

#include "icon_maker/ico_writer.h"
#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using testing::Bytes;
using testing::Peek16;
using testing::Peek32;

constexpr IconColour kRed{255, 0, 0};
constexpr IconColour kGreen{0, 255, 0};
constexpr IconColour kBlue{0, 0, 255};
constexpr IconColour kWhite{255, 255, 255};

// Rows from the top: red, green / blue, clear.
IconImage FourPixels(IconDepth depth) {
  return {2, 2, depth, {kRed, kGreen, kBlue, std::nullopt}};
}

TEST(IcoWriterDirectory, DescribesEachImage) {
  const Bytes file = WriteIco(
      {testing::SolidImage(16, 16), testing::SolidImage(32, 32, IconDepth::kSixteenColours)});
  EXPECT_EQ(Peek16(file, 0), 0u);
  EXPECT_EQ(Peek16(file, 2), 1u);  // icon
  EXPECT_EQ(Peek16(file, 4), 2u);
  const std::size_t first_bytes = 40 + 16 * 16 * 3 + 16 * 4;
  EXPECT_EQ(file[6], 16);
  EXPECT_EQ(file[7], 16);
  EXPECT_EQ(file[8], 0);  // no palette
  EXPECT_EQ(Peek16(file, 10), 1u);
  EXPECT_EQ(Peek16(file, 12), 24u);
  EXPECT_EQ(Peek32(file, 14), first_bytes);
  EXPECT_EQ(Peek32(file, 18), 6u + 2 * 16);
  EXPECT_EQ(file[22 + 2], 16);  // 16 colours
  EXPECT_EQ(Peek16(file, 22 + 6), 4u);
  EXPECT_EQ(Peek32(file, 22 + 12), 6u + 2 * 16 + first_bytes);
  EXPECT_EQ(Peek32(file, 22 + 8), 40u + 16 * 4 + 32 * 16 + 32 * 4);
  EXPECT_EQ(file.size(), Peek32(file, 22 + 12) + Peek32(file, 22 + 8));
}

TEST(IcoWriterDirectory, Writes256AsZero) {
  const Bytes file = WriteIco({testing::SolidImage(256, 256)});
  EXPECT_EQ(file[testing::kEntryWidth], 0);
  EXPECT_EQ(file[testing::kEntryHeight], 0);
  EXPECT_EQ(Peek32(file, testing::kHeaderWidth), 256u);
  EXPECT_EQ(Peek32(file, testing::kHeaderHeight), 512u);
}

TEST(IcoWriterPixels, TrueColourRowsRunBottomUpInBlueGreenRedOrder) {
  const Bytes file = WriteIco({FourPixels(IconDepth::kTrueColour)});
  const std::size_t pixels = testing::kFirstImage + 40;
  // Bottom row first: blue, then the clear pixel as black; padded to 8 bytes.
  EXPECT_EQ(Bytes(file.begin() + pixels, file.begin() + pixels + 16),
            (Bytes{255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}));
}

TEST(IcoWriterPixels, MaskMarksOnlyClearPixels) {
  const Bytes file = WriteIco({FourPixels(IconDepth::kTrueColour)});
  const std::size_t mask = testing::kFirstImage + 40 + 2 * 8;
  EXPECT_EQ(Bytes(file.begin() + mask, file.end()), (Bytes{0x40, 0, 0, 0, 0x00, 0, 0, 0}));
}

TEST(IcoWriterPixels, SixteenColourPixelsAreNibblesIntoTheClassicPalette) {
  const Bytes file = WriteIco({FourPixels(IconDepth::kSixteenColours)});
  const std::size_t palette = testing::kFirstImage + 40;
  EXPECT_EQ(Bytes(file.begin() + palette + 7 * 4, file.begin() + palette + 8 * 4),
            (Bytes{192, 192, 192, 0}));
  const std::size_t pixels = palette + 16 * 4;
  EXPECT_EQ(file[pixels], 0xC0);      // blue (12), clear as black (0)
  EXPECT_EQ(file[pixels + 4], 0x9A);  // red (9), green (10)
}

TEST(IcoWriterPixels, RefusesColoursOutsideTheSixteenColourPalette) {
  IconImage image = testing::SolidImage(4, 4, IconDepth::kSixteenColours);
  image.pixels[5] = IconColour{160, 160, 164};
  EXPECT_THROW(WriteIco({image}), std::invalid_argument);
}

TEST(IcoWriterLimits, RefusesWhatAnIconCannotHold) {
  EXPECT_THROW(WriteIco({}), std::invalid_argument);
  EXPECT_THROW(WriteIco({testing::SolidImage(0, 16)}), std::invalid_argument);
  EXPECT_THROW(WriteIco({testing::SolidImage(16, 257)}), std::invalid_argument);
  IconImage short_of_pixels = testing::SolidImage(16, 16);
  short_of_pixels.pixels.pop_back();
  EXPECT_THROW(WriteIco({short_of_pixels}), std::invalid_argument);
}

TEST(IcoWriterSolidIcon, IsOneOpaqueSquareOfTheColour) {
  const Bytes file = MakeSolidIcon(24, kWhite);
  ASSERT_TRUE(IsWellFormedIcon(file));
  const auto images = testing::DecodeIcon(file);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 24);
  EXPECT_EQ(images[0].height, 24);
  for (const IconPixel& pixel : images[0].pixels) EXPECT_EQ(pixel, IconPixel{kWhite});
}

TEST(IcoWriterSolidIcon, DiffersByColour) {
  EXPECT_NE(MakeSolidIcon(16, kRed), MakeSolidIcon(16, kBlue));
}

}  // namespace
}  // namespace murvane
