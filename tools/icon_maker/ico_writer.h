// Writes .ico files from plain pixel grids: the built-in pictures are made with it, and tests
// use it to put real icon files into a simulated file system.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace murvane {

struct IconColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const IconColour&, const IconColour&) = default;
};

// An empty pixel lets the ground show through (its bit is set in the AND mask).
using IconPixel = std::optional<IconColour>;

enum class IconDepth {
  kSixteenColours,  // 4 bits per pixel, the classic palette below
  kTrueColour,      // 24 bits per pixel
};

struct IconImage {
  int width = 0;  // 1..256
  int height = 0;
  IconDepth depth = IconDepth::kTrueColour;
  std::vector<IconPixel> pixels;  // rows from the top, each from the left: width * height
};

// The palette of every 16-colour image this writer makes; such images may use only these.
const std::array<IconColour, 16>& SixteenColourPalette();

// One .ico file holding the images in the given order, each as a bitmap with an AND mask.
// Throws std::invalid_argument for an image the format cannot hold.
std::vector<std::uint8_t> WriteIco(const std::vector<IconImage>& images);

// A single opaque true-colour square of size x size pixels.
std::vector<std::uint8_t> MakeSolidIcon(int size, IconColour colour);

}  // namespace murvane
