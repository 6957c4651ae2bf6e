#include "support/ico_bytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace murvane::testing {

void Poke16(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes.at(at) = static_cast<std::uint8_t>(value);
  bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void Poke32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Poke16(bytes, at, value);
  Poke16(bytes, at + 2, value >> 16);
}

std::uint32_t Peek16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t Peek32(const Bytes& bytes, std::size_t at) {
  return Peek16(bytes, at) | Peek16(bytes, at + 2) << 16;
}

IconImage SolidImage(int width, int height, IconDepth depth) {
  IconImage image{width, height, depth, {}};
  image.pixels.assign(static_cast<std::size_t>(width) * height, IconColour{128, 0, 0});
  return image;
}

Bytes IconAround(std::uint8_t entry_width, std::uint8_t entry_height, const Bytes& image) {
  Bytes file(kFirstImage, 0);
  Poke16(file, 2, 1);
  Poke16(file, 4, 1);
  file[kEntryWidth] = entry_width;
  file[kEntryHeight] = entry_height;
  Poke16(file, 10, 1);
  Poke16(file, 12, 32);
  Poke32(file, kEntryByteCount, static_cast<std::uint32_t>(image.size()));
  Poke32(file, kEntryOffset, kFirstImage);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

namespace {

void AppendBigEndian32(Bytes& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

Bytes PngHead(std::uint32_t width, std::uint32_t height, std::uint8_t bit_depth,
              std::uint8_t colour_type) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  AppendBigEndian32(png, 13);
  png.insert(png.end(), {'I', 'H', 'D', 'R'});
  AppendBigEndian32(png, width);
  AppendBigEndian32(png, height);
  png.insert(png.end(), {bit_depth, colour_type, 0, 0, 0});
  AppendBigEndian32(png, 0);  // CRC: the check leaves it to the decoder
  return png;
}

Bytes ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string SourcePath(const std::string& relative) {
#ifdef _WIN32
  // The cross build runs under Wine, where drive Z: is the Linux root.
  return std::string("Z:") + MURVANE_SOURCE_DIR + "/" + relative;
#else
  return std::string(MURVANE_SOURCE_DIR) + "/" + relative;
#endif
}

std::string BuiltInIconPath(const std::string& file_name) {
  return SourcePath("resources/icons/" + file_name);
}

namespace {

std::size_t RowBytes(int width, int bit_depth) {
  return (static_cast<std::size_t>(width) * bit_depth + 31) / 32 * 4;
}

IconColour ColourAt(const Bytes& file, std::size_t at) {
  return IconColour{file.at(at + 2), file.at(at + 1), file.at(at)};
}

IconColour DecodeColour(const Bytes& file, std::size_t palette, std::size_t row, int x, int depth) {
  if (depth == 24) return ColourAt(file, row + static_cast<std::size_t>(x) * 3);
  const std::uint8_t pair = file.at(row + static_cast<std::size_t>(x) / 2);
  const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
  return ColourAt(file, palette + static_cast<std::size_t>(index) * 4);
}

DecodedImage DecodeBitmap(const Bytes& file, std::size_t at) {
  DecodedImage image{static_cast<int>(Peek32(file, at + 4)),
                     static_cast<int>(Peek32(file, at + 8) / 2),
                     static_cast<int>(Peek16(file, at + 14)),
                     {}};
  if (image.bit_depth != 4 && image.bit_depth != 24) throw std::runtime_error("unexpected depth");
  const std::size_t palette = at + Peek32(file, at);
  const std::size_t colours = palette + (image.bit_depth == 4 ? 16 * 4 : 0);
  const std::size_t mask = colours + RowBytes(image.width, image.bit_depth) * image.height;
  for (int y = 0; y < image.height; ++y) {
    const std::size_t row_from_bottom = static_cast<std::size_t>(image.height - 1 - y);
    const std::size_t colour_row =
        colours + row_from_bottom * RowBytes(image.width, image.bit_depth);
    const std::size_t mask_row = mask + row_from_bottom * RowBytes(image.width, 1);
    for (int x = 0; x < image.width; ++x) {
      const bool clear = file.at(mask_row + static_cast<std::size_t>(x) / 8) & (0x80 >> (x % 8));
      image.pixels.push_back(clear ? IconPixel{}
                                   : DecodeColour(file, palette, colour_row, x, image.bit_depth));
    }
  }
  return image;
}

}  // namespace

std::vector<DecodedImage> DecodeIcon(const Bytes& file) {
  std::vector<DecodedImage> images;
  for (std::size_t index = 0; index < Peek16(file, 4); ++index) {
    images.push_back(DecodeBitmap(file, Peek32(file, 6 + index * 16 + 12)));
  }
  return images;
}

}  // namespace murvane::testing
