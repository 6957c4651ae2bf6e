// What the icon check lets through, and every kind of broken or foreign file it refuses
// with the reason it gives.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/ico/ico_check.h"
#include "support/ico_bytes.h"

namespace murvane {
namespace {

using namespace testing;

constexpr IconDepth k4 = IconDepth::kSixteenColours;
constexpr IconDepth k24 = IconDepth::kTrueColour;

TEST(IconCheck, RefusesEachKindOfBreakageWithItsReason) {
  const Bytes one = WriteIco({SolidImage(16, 16)});
  const Bytes two = WriteIco({SolidImage(16, 16), SolidImage(32, 32)});
  const Bytes four = WriteIco({SolidImage(16, 16, k4)});
  const std::size_t size = one.size();
  using F = IconFault;
  const std::tuple<const char*, Bytes, IconFault> cases[] = {
      {"empty", {}, F::kEmpty},
      {"over the size cap", Resized(one, kMaxIconFileBytes + 1), F::kTooLarge},
      {"animated cursor", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'C', 'O', 'N'}, F::kAnimated},
      {"five bytes", {0, 0, 1, 0, 1}, F::kTruncatedHeader},
      {"cut short", Resized(one, size - 1), F::kImageOutsideFile},
      {"reserved word set", With(one, 0, 2, 1), F::kNotAnIcon},
      {"cursor", With(one, 2, 2, 2), F::kCursor},
      {"no images", With(one, kCount, 2, 0), F::kNoImages},
      {"too many images",
       Resized(With(one, kCount, 2, kMaxIconImages + 1), size + kMaxIconImages * 16),
       F::kTooManyImages},
      {"zero-byte image", With(one, kEntryBytes, 4, 0), F::kEmptyImage},
      // Offset plus size wraps around in 32 bits to a small number inside the file.
      {"size that wraps", With(one, kEntryBytes, 4, 0xFFFFFFF0u), F::kImageOutsideFile},
      {"image in the directory", With(one, kEntryOffset, 4, 6), F::kImageInDirectory},
      {"second image empty", With(two, 6 + 16 + 8, 4, 0), F::kEmptyImage},
      {"core bitmap header", With(one, kImage, 4, 12), F::kBadBitmapHeader},
      {"entry shorter than a header", With(one, kEntryBytes, 4, 39), F::kUnknownImageFormat},
      {"run-length compressed", With(one, kCompression, 4, 1), F::kCompressedBitmap},
      {"no planes", With(one, kPlanes, 2, 0), F::kBadPlanes},
      {"depth 2", With(one, kDepth, 2, 2), F::kUnsupportedBitDepth},
      {"width 257", With(one, kWidth, 4, 257), F::kBadDimensions},
      {"width unlike the entry", With(one, kWidth, 4, 8), F::kDimensionsMismatch},
      {"more pixels than the entry", With(With(one, kWidth, 4, 32), kEntrySide, 1, 32),
       F::kPixelsOutsideImage},
      {"palette beyond the depth", With(four, kColoursUsed, 4, 17), F::kBadPalette},
      {"PNG header cut short", IconAround(32, Resized(PngHead(32, 32), 32)), F::kBadPngHeader},
      {"PNG unlike the entry", IconAround(32, PngHead(16, 16)), F::kDimensionsMismatch},
  };
  for (const auto& [name, file, expected] : cases) {
    const IconFault fault = FindIconFault(file);
    EXPECT_EQ(fault, expected) << name << ": " << DescribeIconFault(fault);
    // Test output names every reason in words.
    EXPECT_NE(DescribeIconFault(fault), "unknown fault") << name;
  }
}

// The writer leaves no spare byte, so one byte less must break the fit: this pins the check's
// arithmetic for colour rows, mask rows and palette. Odd widths end every row in padding.
TEST(IconCheck, IconsOfEveryDepthPassAndWrittenOnesFitExactly) {
  const std::tuple<int, int, IconDepth> shapes[] = {{1, 1, k24},     {3, 5, k24}, {33, 7, k24},
                                                    {256, 256, k24}, {1, 1, k4},  {17, 9, k4},
                                                    {255, 3, k4}};
  for (const auto& [width, height, depth] : shapes) {
    const Bytes file = WriteIco({SolidImage(width, height, depth)});
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    EXPECT_EQ(FindIconFault(file), IconFault::kNone);
    EXPECT_EQ(FindIconFault(With(file, kEntryBytes, 4, Peek(file, kEntryBytes) - 1)),
              IconFault::kPixelsOutsideImage);
  }
  // Depths the writer does not make, from a 16x16 4-bit icon: 8 bits wants 128 more pixel
  // bytes; 1 bit with its two colours leaves bytes spare, which is allowed.
  const Bytes four = WriteIco({SolidImage(16, 16, k4)});
  Bytes eight = With(With(four, kDepth, 2, 8), kEntryBytes, 4, Peek(four, kEntryBytes) + 128);
  eight.resize(eight.size() + 128);
  EXPECT_EQ(FindIconFault(With(eight, kColoursUsed, 4, 16)), IconFault::kNone);
  EXPECT_EQ(FindIconFault(With(With(four, kDepth, 2, 1), kColoursUsed, 4, 2)), IconFault::kNone);
  // Modern files: a 256-pixel PNG, its side 0 in the directory; and one just at the size cap.
  EXPECT_EQ(FindIconFault(IconAround(0, PngHead(256, 256))), IconFault::kNone);
  EXPECT_EQ(FindIconFault(Resized(four, kMaxIconFileBytes)), IconFault::kNone);
}

}  // namespace
}  // namespace murvane
