// Small tools for tests that build, damage and read icon files byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "icon_maker/ico_writer.h"

namespace murvane::testing {

using Bytes = std::vector<std::uint8_t>;

// Where things sit in a file with one directory entry, as the writer lays it out.
inline constexpr std::size_t kEntryWidth = 6;
inline constexpr std::size_t kEntryHeight = 7;
inline constexpr std::size_t kEntryByteCount = 14;
inline constexpr std::size_t kEntryOffset = 18;
inline constexpr std::size_t kFirstImage = 22;
inline constexpr std::size_t kHeaderSize = kFirstImage;
inline constexpr std::size_t kHeaderWidth = kFirstImage + 4;
inline constexpr std::size_t kHeaderHeight = kFirstImage + 8;
inline constexpr std::size_t kHeaderPlanes = kFirstImage + 12;
inline constexpr std::size_t kHeaderBitDepth = kFirstImage + 14;
inline constexpr std::size_t kHeaderCompression = kFirstImage + 16;
inline constexpr std::size_t kHeaderColoursUsed = kFirstImage + 32;

void Poke16(Bytes& bytes, std::size_t at, std::uint32_t value);
void Poke32(Bytes& bytes, std::size_t at, std::uint32_t value);
std::uint32_t Peek16(const Bytes& bytes, std::size_t at);
std::uint32_t Peek32(const Bytes& bytes, std::size_t at);

// A true-colour image of the given size, filled with one colour.
IconImage SolidImage(int width, int height, IconDepth depth = IconDepth::kTrueColour);

// An icon file whose single directory entry announces the given sides and holds `image`.
Bytes IconAround(std::uint8_t entry_width, std::uint8_t entry_height, const Bytes& image);

// The PNG signature and an IHDR chunk; the check looks no further into PNG images.
Bytes PngHead(std::uint32_t width, std::uint32_t height, std::uint8_t bit_depth = 8,
              std::uint8_t colour_type = 6);

Bytes ReadWholeFile(const std::string& path);

// A file of the source tree, as a path this process can open (under Wine too).
std::string SourcePath(const std::string& relative);
std::string BuiltInIconPath(const std::string& file_name);

// What the directory and bitmap header of one image say, and its pixels decoded.
struct DecodedImage {
  int width = 0;
  int height = 0;
  int bit_depth = 0;
  std::vector<IconPixel> pixels;  // rows from the top

  IconPixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Decodes every bitmap image (4- or 24-bit) of a file the check has accepted.
std::vector<DecodedImage> DecodeIcon(const Bytes& file);

}  // namespace murvane::testing
