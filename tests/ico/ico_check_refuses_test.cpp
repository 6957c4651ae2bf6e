// Every kind of broken or foreign file the check must refuse, each with the reason it gives.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "icon_maker/ico_writer.h"
#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using testing::Bytes;
using testing::Peek32;
using testing::Poke16;
using testing::Poke32;

struct Breakage {
  std::string name;
  std::function<Bytes()> make;
  IconFault expected;
};

void PrintTo(const Breakage& breakage, std::ostream* out) {
  *out << breakage.name;
}

std::string BreakageName(const ::testing::TestParamInfo<Breakage>& info) {
  return info.param.name;
}

Bytes SmallIcon() {
  return WriteIco({testing::SolidImage(16, 16)});
}

Bytes TwoImageIcon() {
  return WriteIco({testing::SolidImage(16, 16), testing::SolidImage(32, 32)});
}

// A sound small icon with one change made to it.
std::function<Bytes()> Damaged(std::function<void(Bytes&)> damage, Bytes (*start)() = SmallIcon) {
  return [damage, start] {
    Bytes file = start();
    damage(file);
    return file;
  };
}

std::function<Bytes()> Literal(Bytes bytes) {
  return [bytes] { return bytes; };
}

class RefusedFile : public ::testing::TestWithParam<Breakage> {};

TEST_P(RefusedFile, GivesItsReason) {
  const Bytes file = GetParam().make();
  const IconFault fault = FindIconFault(file);
  EXPECT_EQ(fault, GetParam().expected) << "got: " << DescribeIconFault(fault)
                                        << "; expected: " << DescribeIconFault(GetParam().expected);
  EXPECT_FALSE(IsWellFormedIcon(file));
}

INSTANTIATE_TEST_SUITE_P(
    WholeFile, RefusedFile,
    ::testing::Values(
        Breakage{"Empty", Literal({}), IconFault::kEmpty},
        Breakage{"OverTheSizeCap",
                 Damaged([](Bytes& file) { file.resize(kMaxIconFileBytes + 1, 0); }),
                 IconFault::kTooLarge},
        Breakage{"AnimatedCursor", Literal({'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'C', 'O', 'N'}),
                 IconFault::kAnimated},
        Breakage{"RiffTagOnly", Literal({'R', 'I', 'F', 'F'}), IconFault::kAnimated},
        Breakage{"FiveBytes", Literal({0, 0, 1, 0, 1}), IconFault::kTruncatedHeader},
        Breakage{"Bitmap",
                 Literal({'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0, 0, 0}),
                 IconFault::kNotAnIcon},
        Breakage{"PngFile", Literal(testing::PngHead(16, 16)), IconFault::kNotAnIcon},
        Breakage{"TruncatedInTheImage", Damaged([](Bytes& file) { file.resize(file.size() - 1); }),
                 IconFault::kImageOutsideFile}),
    BreakageName);

INSTANTIATE_TEST_SUITE_P(
    Directory, RefusedFile,
    ::testing::Values(Breakage{"ReservedWordSet", Damaged([](Bytes& file) { Poke16(file, 0, 1); }),
                               IconFault::kNotAnIcon},
                      Breakage{"CursorType", Damaged([](Bytes& file) { Poke16(file, 2, 2); }),
                               IconFault::kCursor},
                      Breakage{"UnknownType", Damaged([](Bytes& file) { Poke16(file, 2, 3); }),
                               IconFault::kNotAnIcon},
                      Breakage{"TypeZero", Damaged([](Bytes& file) { Poke16(file, 2, 0); }),
                               IconFault::kNotAnIcon},
                      Breakage{"NoImages", Damaged([](Bytes& file) { Poke16(file, 4, 0); }),
                               IconFault::kNoImages},
                      Breakage{"HeaderOnly", Literal({0, 0, 1, 0, 1, 0}),
                               IconFault::kTruncatedDirectory},
                      Breakage{"TooManyImages", Damaged([](Bytes& file) {
                                 Poke16(file, 4, kMaxIconImages + 1);
                                 file.resize(file.size() + kMaxIconImages * 16, 0);
                               }),
                               IconFault::kTooManyImages},
                      Breakage{"MoreEntriesThanTheFileHolds", Damaged([](Bytes& file) {
                                 Poke16(file, 4, 2);
                                 file.resize(6 + 16 + 15);
                               }),
                               IconFault::kTruncatedDirectory}),
    BreakageName);

INSTANTIATE_TEST_SUITE_P(
    Placement, RefusedFile,
    ::testing::Values(
        Breakage{"ZeroBytes",
                 Damaged([](Bytes& file) { Poke32(file, testing::kEntryByteCount, 0); }),
                 IconFault::kEmptyImage},
        Breakage{"OffsetPastTheEnd", Damaged([](Bytes& file) {
                   Poke32(file, testing::kEntryOffset, static_cast<std::uint32_t>(file.size()));
                 }),
                 IconFault::kImageOutsideFile},
        Breakage{"OneByteTooLong", Damaged([](Bytes& file) {
                   Poke32(file, testing::kEntryByteCount,
                          Peek32(file, testing::kEntryByteCount) + 1);
                 }),
                 IconFault::kImageOutsideFile},
        // Offset plus size wraps around in 32 bits to a small number inside the file.
        Breakage{"SizeThatWrapsAround",
                 Damaged([](Bytes& file) { Poke32(file, testing::kEntryByteCount, 0xFFFFFFF0u); }),
                 IconFault::kImageOutsideFile},
        Breakage{"HugeOffset",
                 Damaged([](Bytes& file) { Poke32(file, testing::kEntryOffset, 0xFFFFFFF0u); }),
                 IconFault::kImageOutsideFile},
        Breakage{"OffsetInsideTheDirectory",
                 Damaged([](Bytes& file) { Poke32(file, testing::kEntryOffset, 6); }),
                 IconFault::kImageInDirectory},
        Breakage{"SecondImageOutsideTheFile",
                 Damaged([](Bytes& file) { file.resize(file.size() - 1); }, TwoImageIcon),
                 IconFault::kImageOutsideFile},
        Breakage{"SecondImageEmpty",
                 Damaged([](Bytes& file) { Poke32(file, 6 + 16 + 8, 0); }, TwoImageIcon),
                 IconFault::kEmptyImage}),
    BreakageName);

INSTANTIATE_TEST_SUITE_P(
    BitmapHeader, RefusedFile,
    ::testing::Values(
        Breakage{"CoreHeader", Damaged([](Bytes& file) { Poke32(file, testing::kHeaderSize, 12); }),
                 IconFault::kBadBitmapHeader},
        Breakage{"HeaderLargerThanTheEntry",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderSize, 0x10000); }),
                 IconFault::kBadBitmapHeader},
        Breakage{"EntryShorterThanAHeader",
                 Damaged([](Bytes& file) { Poke32(file, testing::kEntryByteCount, 39); }),
                 IconFault::kUnknownImageFormat},
        Breakage{"RunLengthCompressed",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderCompression, 1); }),
                 IconFault::kCompressedBitmap},
        Breakage{"JpegInside",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderCompression, 4); }),
                 IconFault::kCompressedBitmap},
        Breakage{"NoPlanes", Damaged([](Bytes& file) { Poke16(file, testing::kHeaderPlanes, 0); }),
                 IconFault::kBadPlanes},
        Breakage{"TwoPlanes", Damaged([](Bytes& file) { Poke16(file, testing::kHeaderPlanes, 2); }),
                 IconFault::kBadPlanes},
        Breakage{"DepthZero",
                 Damaged([](Bytes& file) { Poke16(file, testing::kHeaderBitDepth, 0); }),
                 IconFault::kUnsupportedBitDepth},
        Breakage{"DepthTwo",
                 Damaged([](Bytes& file) { Poke16(file, testing::kHeaderBitDepth, 2); }),
                 IconFault::kUnsupportedBitDepth},
        Breakage{"Depth64",
                 Damaged([](Bytes& file) { Poke16(file, testing::kHeaderBitDepth, 64); }),
                 IconFault::kUnsupportedBitDepth},
        Breakage{"WidthZero", Damaged([](Bytes& file) { Poke32(file, testing::kHeaderWidth, 0); }),
                 IconFault::kBadDimensions},
        Breakage{"WidthNegative",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderWidth, 0xFFFFFFF0u); }),
                 IconFault::kBadDimensions},
        Breakage{"Width257", Damaged([](Bytes& file) { Poke32(file, testing::kHeaderWidth, 257); }),
                 IconFault::kBadDimensions},
        Breakage{"HeightZero",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderHeight, 0); }),
                 IconFault::kBadDimensions},
        Breakage{"HeightOdd",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderHeight, 31); }),
                 IconFault::kBadDimensions},
        Breakage{"TopDownRows",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderHeight, 0xFFFFFFE0u); }),
                 IconFault::kBadDimensions},
        Breakage{"HeightOver512",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderHeight, 514); }),
                 IconFault::kBadDimensions},
        Breakage{"NoMaskHalf",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderHeight, 16); }),
                 IconFault::kDimensionsMismatch},
        Breakage{"WidthUnlikeTheEntry",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderWidth, 8); }),
                 IconFault::kDimensionsMismatch},
        Breakage{"EntryClaims256", Damaged([](Bytes& file) { file[testing::kEntryWidth] = 0; }),
                 IconFault::kDimensionsMismatch},
        Breakage{"MorePixelsThanTheEntryHolds", Damaged([](Bytes& file) {
                   Poke32(file, testing::kHeaderWidth, 32);
                   file[testing::kEntryWidth] = 32;
                 }),
                 IconFault::kPixelsOutsideImage},
        Breakage{"DeeperThanTheEntryHolds",
                 Damaged([](Bytes& file) { Poke16(file, testing::kHeaderBitDepth, 32); }),
                 IconFault::kPixelsOutsideImage},
        Breakage{"PaletteBeyondTheDepth",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderColoursUsed, 17); },
                         [] {
                           return WriteIco(
                               {testing::SolidImage(16, 16, IconDepth::kSixteenColours)});
                         }),
                 IconFault::kBadPalette},
        Breakage{"HugePaletteOnTrueColour", Damaged([](Bytes& file) {
                   Poke32(file, testing::kHeaderColoursUsed, 0x40000000);
                 }),
                 IconFault::kBadPalette},
        Breakage{"PalettePastTheEntry",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderColoursUsed, 256); }),
                 IconFault::kPaletteOutsideImage},
        Breakage{"PalettePushesPixelsOut",
                 Damaged([](Bytes& file) { Poke32(file, testing::kHeaderColoursUsed, 1); }),
                 IconFault::kPixelsOutsideImage}),
    BreakageName);

Bytes PngIcon(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8,
              std::uint8_t colour_type = 6) {
  return testing::IconAround(32, 32, testing::PngHead(width, height, depth, colour_type));
}

std::function<Bytes()> DamagedPng(std::size_t at_in_png, std::uint8_t value) {
  return [at_in_png, value] {
    Bytes file = PngIcon(32, 32);
    file.at(testing::kFirstImage + at_in_png) = value;
    return file;
  };
}

INSTANTIATE_TEST_SUITE_P(
    PngHeader, RefusedFile,
    ::testing::Values(
        Breakage{"SignatureOnly",
                 [] {
                   Bytes png = testing::PngHead(32, 32);
                   png.resize(8);
                   return testing::IconAround(32, 32, png);
                 },
                 IconFault::kBadPngHeader},
        Breakage{"HeaderCutShort",
                 [] {
                   Bytes png = testing::PngHead(32, 32);
                   png.pop_back();
                   return testing::IconAround(32, 32, png);
                 },
                 IconFault::kBadPngHeader},
        Breakage{"FirstChunkNotIhdr", DamagedPng(12, 'X'), IconFault::kBadPngHeader},
        Breakage{"IhdrOfWrongLength", DamagedPng(11, 12), IconFault::kBadPngHeader},
        Breakage{"UnknownColourType", [] { return PngIcon(32, 32, 8, 5); },
                 IconFault::kBadPngHeader},
        Breakage{"DepthTheColourTypeLacks", [] { return PngIcon(32, 32, 4, 2); },
                 IconFault::kBadPngHeader},
        Breakage{"UnknownCompression", DamagedPng(26, 1), IconFault::kBadPngHeader},
        Breakage{"UnknownFilter", DamagedPng(27, 1), IconFault::kBadPngHeader},
        Breakage{"UnknownInterlace", DamagedPng(28, 2), IconFault::kBadPngHeader},
        Breakage{"WidthZero", [] { return PngIcon(0, 32); }, IconFault::kBadDimensions},
        Breakage{"HeightZero", [] { return PngIcon(32, 0); }, IconFault::kBadDimensions},
        Breakage{"Width300", [] { return PngIcon(300, 32); }, IconFault::kBadDimensions},
        Breakage{"Height4Billion", [] { return PngIcon(32, 0xFFFFFFFFu); },
                 IconFault::kBadDimensions},
        Breakage{"SizeUnlikeTheEntry", [] { return PngIcon(16, 16); },
                 IconFault::kDimensionsMismatch}),
    BreakageName);

TEST(IconFaultDescription, NamesEveryFault) {
  for (int fault = static_cast<int>(IconFault::kNone);
       fault <= static_cast<int>(IconFault::kPixelsOutsideImage); ++fault) {
    EXPECT_NE(DescribeIconFault(static_cast<IconFault>(fault)), "unknown fault") << fault;
  }
}

}  // namespace
}  // namespace murvane
