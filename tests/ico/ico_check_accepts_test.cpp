// Icon files the check must let through: whatever the writer makes, PNG images, and the
// odd but legal corners of the format.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "icon_maker/ico_writer.h"
#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using testing::Bytes;

struct Shape {
  int width;
  int height;
  IconDepth depth;
};

std::string ShapeName(const Shape& shape) {
  const int bits = shape.depth == IconDepth::kTrueColour ? 24 : 4;
  return std::to_string(shape.width) + "x" + std::to_string(shape.height) + "_" +
         std::to_string(bits) + "bit";
}

void PrintTo(const Shape& shape, std::ostream* out) {
  *out << ShapeName(shape);
}

class WrittenIcon : public ::testing::TestWithParam<Shape> {};

// Odd widths make every row end in padding, which is where stride mistakes show.
INSTANTIATE_TEST_SUITE_P(Shapes, WrittenIcon,
                         ::testing::Values(Shape{16, 16, IconDepth::kTrueColour},
                                           Shape{1, 1, IconDepth::kTrueColour},
                                           Shape{3, 5, IconDepth::kTrueColour},
                                           Shape{33, 7, IconDepth::kTrueColour},
                                           Shape{256, 256, IconDepth::kTrueColour},
                                           Shape{16, 16, IconDepth::kSixteenColours},
                                           Shape{1, 1, IconDepth::kSixteenColours},
                                           Shape{17, 9, IconDepth::kSixteenColours},
                                           Shape{255, 3, IconDepth::kSixteenColours}),
                         [](const auto& info) { return ShapeName(info.param); });

TEST_P(WrittenIcon, IsAccepted) {
  const Shape shape = GetParam();
  const Bytes file = WriteIco({testing::SolidImage(shape.width, shape.height, shape.depth)});
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
  EXPECT_TRUE(IsWellFormedIcon(file));
}

// The writer leaves no spare byte, so one byte less must break the fit: this pins the
// check's arithmetic for colour rows, mask rows and palette to the real layout.
TEST_P(WrittenIcon, IsRefusedOneByteShort) {
  const Shape shape = GetParam();
  Bytes file = WriteIco({testing::SolidImage(shape.width, shape.height, shape.depth)});
  testing::Poke32(file, testing::kEntryByteCount,
                  testing::Peek32(file, testing::kEntryByteCount) - 1);
  EXPECT_EQ(FindIconFault(file), IconFault::kPixelsOutsideImage);
}

TEST(IconCheckAccepts, EveryImageOfAMultiSizeFile) {
  const Bytes file = WriteIco({testing::SolidImage(16, 16), testing::SolidImage(20, 20),
                               testing::SolidImage(32, 32, IconDepth::kSixteenColours),
                               testing::SolidImage(48, 48), testing::SolidImage(256, 256)});
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
}

TEST(IconCheckAccepts, SolidIconsFromTheHelper) {
  for (int size : {1, 16, 32, 256}) {
    EXPECT_EQ(FindIconFault(MakeSolidIcon(size, IconColour{1, 2, 3})), IconFault::kNone) << size;
  }
}

TEST(IconCheckAccepts, PngImages) {
  EXPECT_EQ(FindIconFault(testing::IconAround(32, 32, testing::PngHead(32, 32))), IconFault::kNone);
  // A directory side of 0 stands for 256.
  EXPECT_EQ(FindIconFault(testing::IconAround(0, 0, testing::PngHead(256, 256))), IconFault::kNone);
  EXPECT_EQ(FindIconFault(testing::IconAround(16, 16, testing::PngHead(16, 16, 4, 3))),
            IconFault::kNone);
}

TEST(IconCheckAccepts, AFileOfExactlyTheSizeCap) {
  Bytes file = WriteIco({testing::SolidImage(16, 16)});
  file.resize(kMaxIconFileBytes, 0);
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
  file.push_back(0);
  EXPECT_EQ(FindIconFault(file), IconFault::kTooLarge);
}

TEST(IconCheckAccepts, AShortPaletteThatTheHeaderAnnounces) {
  Bytes file = WriteIco({testing::SolidImage(16, 16, IconDepth::kSixteenColours)});
  testing::Poke32(file, testing::kHeaderColoursUsed, 16);
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
  // Fewer colours move the pixels forward, leaving spare bytes at the end: still sound.
  testing::Poke32(file, testing::kHeaderColoursUsed, 2);
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
}

TEST(IconCheckAccepts, ALargerBitmapHeaderWhenTheEntryMakesRoomForIt) {
  // A BITMAPV5HEADER is 124 bytes; the palette and pixels follow it.
  Bytes file = WriteIco({testing::SolidImage(16, 16)});
  testing::Poke32(file, testing::kHeaderSize, 124);
  file.insert(file.begin() + testing::kFirstImage + 40, 124 - 40, 0);
  testing::Poke32(file, testing::kEntryByteCount,
                  testing::Peek32(file, testing::kEntryByteCount) + 84);
  EXPECT_EQ(FindIconFault(file), IconFault::kNone);
}

}  // namespace
}  // namespace murvane
