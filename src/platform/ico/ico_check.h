// A strict look at an .ico file before any system loader is allowed to parse it.
//
// Icon files come from wherever the user points the program, so a loader must never be
// the first code to read them. The check reads the directory and the header of every
// image and refuses anything that is not plainly a small, still icon whose pieces all
// lie inside the file. It allocates nothing and reads each header byte at most a few times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace murvane {

// No tray picture comes close to this; a bigger file is not something we want to parse.
inline constexpr std::size_t kMaxIconFileBytes = 4 * 1024 * 1024;
// Real icon files hold a handful of sizes and depths; hundreds of entries mean a broken file.
inline constexpr std::size_t kMaxIconImages = 64;
// Neither the directory (one byte, 0 meaning 256) nor Windows allow bigger icon images.
inline constexpr std::int64_t kMaxIconSide = 256;

// Why a file was refused; kNone when it is a well-formed icon file.
enum class IconFault {
  kNone,
  kEmpty,
  kTooLarge,
  kAnimated,         // RIFF container (.ani and friends)
  kTruncatedHeader,  // shorter than the 6-byte icon directory header
  kNotAnIcon,        // reserved word or resource type is not that of an icon
  kCursor,           // a cursor file: same layout, but not a picture for us
  kNoImages,
  kTooManyImages,
  kTruncatedDirectory,  // the directory entries run past the end of the file
  kEmptyImage,          // an entry of zero bytes
  kImageOutsideFile,    // an entry's bytes run past the end of the file
  kImageInDirectory,    // an entry's bytes start inside the directory itself
  kUnknownImageFormat,  // neither PNG nor a bitmap header
  kBadPngHeader,        // PNG signature without a sound IHDR chunk
  kBadBitmapHeader,     // header size below 40 or larger than the entry
  kCompressedBitmap,    // only plain (BI_RGB) pixels can be measured up front
  kBadPlanes,
  kUnsupportedBitDepth,
  kBadDimensions,       // zero, negative or over 256 pixels, or a bitmap without its mask
  kDimensionsMismatch,  // the image is not the size its directory entry announces
  kBadPalette,          // more colours than the bit depth can address
  kPaletteOutsideImage,
  kPixelsOutsideImage,  // colour pixels plus AND mask do not fit in the entry
};

// The first reason the bytes are not a well-formed icon file, or kNone.
IconFault FindIconFault(std::span<const std::uint8_t> bytes);

inline bool IsWellFormedIcon(std::span<const std::uint8_t> bytes) {
  return FindIconFault(bytes) == IconFault::kNone;
}

// A short English phrase, for test output and the fuzzer.
std::string_view DescribeIconFault(IconFault fault);

}  // namespace murvane
