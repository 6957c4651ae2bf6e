#include "icon_maker/ico_writer.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace murvane {
namespace {

constexpr std::size_t kDirectoryHeaderBytes = 6;
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr std::uint32_t kBitmapInfoHeaderBytes = 40;
constexpr int kMaxSide = 256;

class ByteSink {
 public:
  void U8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
  void U16(std::uint32_t value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(value);
    U16(value >> 16);
  }
  void Append(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

int BitsPerPixel(IconDepth depth) {
  return depth == IconDepth::kSixteenColours ? 4 : 24;
}

// Bitmap rows are padded to whole 32-bit words.
std::size_t RowBytes(int width, int bits_per_pixel) {
  return (static_cast<std::size_t>(width) * bits_per_pixel + 31) / 32 * 4;
}

void Validate(const IconImage& image) {
  if (image.width < 1 || image.width > kMaxSide || image.height < 1 || image.height > kMaxSide) {
    throw std::invalid_argument("icon sides must be 1 to 256 pixels");
  }
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    throw std::invalid_argument("icon pixel count differs from width x height");
  }
}

std::uint8_t PaletteIndex(const IconPixel& pixel) {
  if (!pixel) return 0;  // hidden by the mask; black keeps the XOR image neutral
  const auto& palette = SixteenColourPalette();
  const auto found = std::find(palette.begin(), palette.end(), *pixel);
  if (found == palette.end()) {
    throw std::invalid_argument("a 16-colour icon may use only the 16-colour palette");
  }
  return static_cast<std::uint8_t>(found - palette.begin());
}

// Bitmaps store their rows from the bottom up.
const IconPixel& PixelAt(const IconImage& image, int x, int row_from_bottom) {
  const int y = image.height - 1 - row_from_bottom;
  return image.pixels[static_cast<std::size_t>(y) * image.width + x];
}

void AppendSixteenColourRow(const IconImage& image, int row, std::vector<std::uint8_t>& row_bytes) {
  for (int x = 0; x < image.width; ++x) {
    const int shift = x % 2 == 0 ? 4 : 0;
    row_bytes[x / 2] |= static_cast<std::uint8_t>(PaletteIndex(PixelAt(image, x, row)) << shift);
  }
}

void AppendTrueColourRow(const IconImage& image, int row, std::vector<std::uint8_t>& row_bytes) {
  for (int x = 0; x < image.width; ++x) {
    const IconColour colour = PixelAt(image, x, row).value_or(IconColour{});
    row_bytes[x * 3] = colour.blue;
    row_bytes[x * 3 + 1] = colour.green;
    row_bytes[x * 3 + 2] = colour.red;
  }
}

std::vector<std::uint8_t> ColourPlane(const IconImage& image) {
  const std::size_t stride = RowBytes(image.width, BitsPerPixel(image.depth));
  std::vector<std::uint8_t> plane;
  for (int row = 0; row < image.height; ++row) {
    std::vector<std::uint8_t> row_bytes(stride, 0);
    if (image.depth == IconDepth::kSixteenColours) {
      AppendSixteenColourRow(image, row, row_bytes);
    } else {
      AppendTrueColourRow(image, row, row_bytes);
    }
    plane.insert(plane.end(), row_bytes.begin(), row_bytes.end());
  }
  return plane;
}

// One bit per pixel, most significant first; a set bit leaves the ground visible.
std::vector<std::uint8_t> MaskPlane(const IconImage& image) {
  const std::size_t stride = RowBytes(image.width, 1);
  std::vector<std::uint8_t> plane(stride * image.height, 0);
  for (int row = 0; row < image.height; ++row) {
    for (int x = 0; x < image.width; ++x) {
      if (PixelAt(image, x, row)) continue;
      plane[row * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return plane;
}

void AppendBitmapHeader(const IconImage& image, std::size_t pixel_bytes, ByteSink& sink) {
  sink.U32(kBitmapInfoHeaderBytes);
  sink.U32(static_cast<std::uint32_t>(image.width));
  sink.U32(static_cast<std::uint32_t>(image.height * 2));  // colour image and mask stacked
  sink.U16(1);                                             // planes
  sink.U16(static_cast<std::uint32_t>(BitsPerPixel(image.depth)));
  sink.U32(0);  // BI_RGB
  sink.U32(static_cast<std::uint32_t>(pixel_bytes));
  for (int unused_field = 0; unused_field < 4; ++unused_field) sink.U32(0);
}

void AppendSixteenColourPalette(ByteSink& sink) {
  for (const IconColour& entry : SixteenColourPalette()) {
    sink.U8(entry.blue);
    sink.U8(entry.green);
    sink.U8(entry.red);
    sink.U8(0);
  }
}

std::vector<std::uint8_t> BitmapImage(const IconImage& image) {
  const std::vector<std::uint8_t> colour = ColourPlane(image);
  const std::vector<std::uint8_t> mask = MaskPlane(image);
  ByteSink sink;
  AppendBitmapHeader(image, colour.size() + mask.size(), sink);
  if (image.depth == IconDepth::kSixteenColours) AppendSixteenColourPalette(sink);
  sink.Append(colour);
  sink.Append(mask);
  return sink.Take();
}

void AppendDirectoryEntry(const IconImage& image, std::size_t byte_count, std::size_t offset,
                          ByteSink& sink) {
  sink.U8(static_cast<std::uint32_t>(image.width % kMaxSide));  // 256 is written as 0
  sink.U8(static_cast<std::uint32_t>(image.height % kMaxSide));
  sink.U8(image.depth == IconDepth::kSixteenColours ? 16 : 0);
  sink.U8(0);
  sink.U16(1);
  sink.U16(static_cast<std::uint32_t>(BitsPerPixel(image.depth)));
  sink.U32(static_cast<std::uint32_t>(byte_count));
  sink.U32(static_cast<std::uint32_t>(offset));
}

}  // namespace

const std::array<IconColour, 16>& SixteenColourPalette() {
  static const std::array<IconColour, 16> palette = {{
      {0, 0, 0},
      {128, 0, 0},
      {0, 128, 0},
      {128, 128, 0},
      {0, 0, 128},
      {128, 0, 128},
      {0, 128, 128},
      {192, 192, 192},
      {128, 128, 128},
      {255, 0, 0},
      {0, 255, 0},
      {255, 255, 0},
      {0, 0, 255},
      {255, 0, 255},
      {0, 255, 255},
      {255, 255, 255},
  }};
  return palette;
}

std::vector<std::uint8_t> WriteIco(const std::vector<IconImage>& images) {
  if (images.empty() || images.size() > 0xFFFF) {
    throw std::invalid_argument("an icon file holds 1 to 65535 images");
  }
  std::vector<std::vector<std::uint8_t>> bitmaps;
  for (const IconImage& image : images) {
    Validate(image);
    bitmaps.push_back(BitmapImage(image));
  }
  ByteSink sink;
  sink.U16(0);  // reserved
  sink.U16(1);  // icon, not cursor
  sink.U16(static_cast<std::uint32_t>(images.size()));
  std::size_t offset = kDirectoryHeaderBytes + images.size() * kDirectoryEntryBytes;
  for (std::size_t index = 0; index < images.size(); ++index) {
    AppendDirectoryEntry(images[index], bitmaps[index].size(), offset, sink);
    offset += bitmaps[index].size();
  }
  for (const auto& bitmap : bitmaps) sink.Append(bitmap);
  return sink.Take();
}

std::vector<std::uint8_t> MakeSolidIcon(int size, IconColour colour) {
  IconImage image{size, size, IconDepth::kTrueColour, {}};
  image.pixels.assign(static_cast<std::size_t>(std::max(size, 0)) * std::max(size, 0), colour);
  return WriteIco({image});
}

}  // namespace murvane
