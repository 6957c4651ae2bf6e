// Small tools for tests that build, damage and read icon files byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "icon_maker/ico_writer.h"

namespace murvane::testing {

using Bytes = std::vector<std::uint8_t>;

// Where fields sit in a file with one image, as the writer lays it out: the directory
// header, one 16-byte entry, then the image with its bitmap header first.
inline constexpr std::size_t kCount = 4, kEntrySide = 6, kEntryBytes = 14, kEntryOffset = 18;
inline constexpr std::size_t kImage = 22, kWidth = 26, kHeight = 30, kPlanes = 34, kDepth = 36,
                             kCompression = 38, kColoursUsed = 54;

// `file` with the `size` bytes at `at` set to `value`, least significant byte first.
inline Bytes With(Bytes file, std::size_t at, int size, std::uint32_t value) {
  for (int i = 0; i < size; ++i) file.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
  return file;
}

inline std::uint32_t Peek(const Bytes& file, std::size_t at, int size = 4) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | file.at(at + i);
  return value;
}

inline Bytes Resized(Bytes file, std::size_t size) {
  file.resize(size, 0);
  return file;
}

inline IconImage SolidImage(int width, int height, IconDepth depth = IconDepth::kTrueColour) {
  return {width, height, depth, std::vector<IconPixel>(width * height, IconColour{128, 0, 0})};
}

// The PNG signature and an IHDR chunk; the check looks no further into PNG images.
inline Bytes PngHead(std::uint32_t width, std::uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t side : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(side >> shift);
  }
  png.insert(png.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});  // 8-bit RGBA; CRC left to decoders
  return png;
}

// An icon file whose single entry announces a square of `side` (0 for 256) and holds `image`.
inline Bytes IconAround(std::uint8_t side, const Bytes& image) {
  Bytes file = Resized({0, 0, 1, 0, 1, 0, side, side, 0, 0, 1, 0, 32}, kImage);
  file = With(With(file, kEntryBytes, 4, image.size()), kEntryOffset, 4, kImage);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

}  // namespace murvane::testing
