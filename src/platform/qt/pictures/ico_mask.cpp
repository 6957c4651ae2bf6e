#include "platform/qt/pictures/ico_mask.h"

namespace murvane::qt {
namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kDirectoryEntry = 16;

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::size_t RowBytes(std::size_t width, std::size_t bits) {
  return (width * bits + 31) / 32 * 4;
}

}  // namespace

void ApplyAndMask(QImage& image, std::span<const std::uint8_t> file, int entry) {
  const std::size_t at = kDirectoryHeader + static_cast<std::size_t>(entry) * kDirectoryEntry;
  const std::size_t imageBytes = Le32(file, at + 8);
  const std::span<const std::uint8_t> bitmap = file.subspan(Le32(file, at + 12), imageBytes);
  if (bitmap.size() < 40 || Le32(bitmap, 0) < 40) return;  // a PNG entry
  const std::size_t headerBytes = Le32(bitmap, 0);
  const std::size_t width = Le32(bitmap, 4);
  const std::size_t height = Le32(bitmap, 8) / 2;
  const std::size_t bits = Le16(bitmap, 14);
  if (bits >= 32 || width != static_cast<std::size_t>(image.width()) ||
      height != static_cast<std::size_t>(image.height())) {
    return;
  }
  const std::size_t usedColours = Le32(bitmap, 32);
  const std::size_t palette = (usedColours ? usedColours : bits <= 8 ? 1u << bits : 0) * 4;
  const std::size_t maskStart = headerBytes + palette + RowBytes(width, bits) * height;
  const std::size_t maskRow = RowBytes(width, 1);
  if (maskStart + maskRow * height > bitmap.size()) return;
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (std::size_t y = 0; y < height; ++y) {
    // Rows are stored from the bottom up.
    const std::uint8_t* row = bitmap.data() + maskStart + (height - 1 - y) * maskRow;
    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    for (std::size_t x = 0; x < width; ++x) {
      if ((row[x / 8] >> (7 - x % 8)) & 1u) pixels[x] = qRgba(0, 0, 0, 0);
    }
  }
}

}  // namespace murvane::qt
