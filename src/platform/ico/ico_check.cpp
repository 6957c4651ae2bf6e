#include "platform/ico/ico_check.h"

#include <array>
#include <cstring>

namespace murvane {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kDirectoryHeaderBytes = 6;
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr std::uint32_t kIconResourceType = 1;
constexpr std::uint32_t kCursorResourceType = 2;

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, then the IHDR chunk: length, type, 13 bytes of fields, CRC.
constexpr std::size_t kPngHeadBytes = 8 + 4 + 4 + 13 + 4;
constexpr std::uint32_t kIhdrFieldBytes = 13;

constexpr std::size_t kBitmapInfoHeaderBytes = 40;
constexpr std::uint32_t kPlainRgbPixels = 0;  // BI_RGB
constexpr std::int64_t kMaxPaletteColours = 256;

std::uint32_t ReadLe16(Bytes bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t ReadLe32(Bytes bytes, std::size_t at) {
  return ReadLe16(bytes, at) | ReadLe16(bytes, at + 2) << 16;
}

std::int64_t ReadLeSigned32(Bytes bytes, std::size_t at) {
  return static_cast<std::int32_t>(ReadLe32(bytes, at));
}

std::uint32_t ReadBe32(Bytes bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
         bytes[at + 3];
}

bool StartsWith(Bytes bytes, std::span<const std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() &&
         std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

// The size an entry announces; its one-byte sides use 0 for 256.
struct AnnouncedSize {
  std::int64_t width;
  std::int64_t height;
};

struct DirectoryEntry {
  AnnouncedSize size;
  std::uint64_t byte_count;
  std::uint64_t offset;
};

std::int64_t SideFromDirectoryByte(std::uint8_t side) {
  return side == 0 ? kMaxIconSide : side;
}

DirectoryEntry ReadDirectoryEntry(Bytes file, std::size_t index) {
  const std::size_t at = kDirectoryHeaderBytes + index * kDirectoryEntryBytes;
  return {{SideFromDirectoryByte(file[at]), SideFromDirectoryByte(file[at + 1])},
          ReadLe32(file, at + 8),
          ReadLe32(file, at + 12)};
}

IconFault CheckEnvelope(Bytes file) {
  static constexpr std::array<std::uint8_t, 4> kRiffTag = {'R', 'I', 'F', 'F'};
  if (file.empty()) return IconFault::kEmpty;
  if (file.size() > kMaxIconFileBytes) return IconFault::kTooLarge;
  if (StartsWith(file, kRiffTag)) return IconFault::kAnimated;
  if (file.size() < kDirectoryHeaderBytes) return IconFault::kTruncatedHeader;
  return IconFault::kNone;
}

IconFault CheckDirectoryHeader(Bytes file) {
  const std::uint32_t type = ReadLe16(file, 2);
  if (ReadLe16(file, 0) != 0) return IconFault::kNotAnIcon;
  if (type == kCursorResourceType) return IconFault::kCursor;
  if (type != kIconResourceType) return IconFault::kNotAnIcon;
  const std::uint32_t count = ReadLe16(file, 4);
  if (count == 0) return IconFault::kNoImages;
  if (count > kMaxIconImages) return IconFault::kTooManyImages;
  if (kDirectoryHeaderBytes + count * kDirectoryEntryBytes > file.size()) {
    return IconFault::kTruncatedDirectory;
  }
  return IconFault::kNone;
}

// Offsets and sizes are 32-bit fields; adding them in 64 bits cannot wrap.
IconFault CheckPlacement(const DirectoryEntry& entry, std::uint64_t directory_end,
                         std::uint64_t file_size) {
  if (entry.byte_count == 0) return IconFault::kEmptyImage;
  if (entry.offset < directory_end) return IconFault::kImageInDirectory;
  if (entry.offset + entry.byte_count > file_size) return IconFault::kImageOutsideFile;
  return IconFault::kNone;
}

bool IsKnownPngDepth(std::uint8_t colour_type, std::uint8_t bit_depth) {
  switch (colour_type) {
    case 0:  // grey
      return bit_depth == 1 || bit_depth == 2 || bit_depth == 4 || bit_depth == 8 ||
             bit_depth == 16;
    case 3:  // palette
      return bit_depth == 1 || bit_depth == 2 || bit_depth == 4 || bit_depth == 8;
    case 2:  // RGB
    case 4:  // grey + alpha
    case 6:  // RGBA
      return bit_depth == 8 || bit_depth == 16;
    default:
      return false;
  }
}

bool IsSoundSide(std::int64_t side) {
  return side > 0 && side <= kMaxIconSide;
}

IconFault CheckPngImage(Bytes image, AnnouncedSize announced) {
  static constexpr std::array<std::uint8_t, 4> kIhdrType = {'I', 'H', 'D', 'R'};
  if (image.size() < kPngHeadBytes || ReadBe32(image, 8) != kIhdrFieldBytes ||
      !StartsWith(image.subspan(12), kIhdrType)) {
    return IconFault::kBadPngHeader;
  }
  const std::uint8_t bit_depth = image[24];
  const std::uint8_t colour_type = image[25];
  const bool known_methods = image[26] == 0 && image[27] == 0 && image[28] <= 1;
  if (!known_methods || !IsKnownPngDepth(colour_type, bit_depth)) return IconFault::kBadPngHeader;
  const std::int64_t width = ReadBe32(image, 16);
  const std::int64_t height = ReadBe32(image, 20);
  if (!IsSoundSide(width) || !IsSoundSide(height)) return IconFault::kBadDimensions;
  if (width != announced.width || height != announced.height) {
    return IconFault::kDimensionsMismatch;
  }
  return IconFault::kNone;
}

struct BitmapHeader {
  std::uint32_t header_bytes;
  std::int64_t width;
  std::int64_t height;  // colour image and AND mask stacked, so twice the icon's height
  std::uint32_t planes;
  std::uint32_t bit_depth;
  std::uint32_t compression;
  std::int64_t colours_used;
};

BitmapHeader ReadBitmapHeader(Bytes image) {
  return {ReadLe32(image, 0),  ReadLeSigned32(image, 4), ReadLeSigned32(image, 8),
          ReadLe16(image, 12), ReadLe16(image, 14),      ReadLe32(image, 16),
          ReadLe32(image, 32)};
}

bool IsKnownBitmapDepth(std::uint32_t bit_depth) {
  switch (bit_depth) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

IconFault CheckBitmapFields(const BitmapHeader& header, std::size_t image_bytes,
                            AnnouncedSize announced) {
  if (header.header_bytes < kBitmapInfoHeaderBytes || header.header_bytes > image_bytes) {
    return IconFault::kBadBitmapHeader;
  }
  if (header.compression != kPlainRgbPixels) return IconFault::kCompressedBitmap;
  if (header.planes != 1) return IconFault::kBadPlanes;
  if (!IsKnownBitmapDepth(header.bit_depth)) return IconFault::kUnsupportedBitDepth;
  if (!IsSoundSide(header.width) || header.height % 2 != 0 || !IsSoundSide(header.height / 2)) {
    return IconFault::kBadDimensions;
  }
  if (header.width != announced.width || header.height / 2 != announced.height) {
    return IconFault::kDimensionsMismatch;
  }
  return IconFault::kNone;
}

// Rows of a bitmap are padded to whole 32-bit words.
std::int64_t RowBytes(std::int64_t width, std::int64_t bit_depth) {
  return (width * bit_depth + 31) / 32 * 4;
}

std::int64_t PaletteColours(const BitmapHeader& header) {
  if (header.bit_depth <= 8 && header.colours_used == 0) return std::int64_t{1} << header.bit_depth;
  return header.colours_used;
}

IconFault CheckBitmapLayout(const BitmapHeader& header, std::size_t image_bytes) {
  const std::int64_t colours = PaletteColours(header);
  const bool addressable = header.bit_depth > 8 || colours <= std::int64_t{1} << header.bit_depth;
  if (colours > kMaxPaletteColours || !addressable) return IconFault::kBadPalette;
  const std::int64_t available = static_cast<std::int64_t>(image_bytes);
  const std::int64_t pixels_at = header.header_bytes + colours * 4;
  if (pixels_at > available) return IconFault::kPaletteOutsideImage;
  const std::int64_t icon_height = header.height / 2;
  const std::int64_t colour_bytes = RowBytes(header.width, header.bit_depth) * icon_height;
  const std::int64_t mask_bytes = RowBytes(header.width, 1) * icon_height;
  if (pixels_at + colour_bytes + mask_bytes > available) return IconFault::kPixelsOutsideImage;
  return IconFault::kNone;
}

IconFault CheckBitmapImage(Bytes image, AnnouncedSize announced) {
  if (image.size() < kBitmapInfoHeaderBytes) return IconFault::kUnknownImageFormat;
  const BitmapHeader header = ReadBitmapHeader(image);
  if (const IconFault fault = CheckBitmapFields(header, image.size(), announced);
      fault != IconFault::kNone) {
    return fault;
  }
  return CheckBitmapLayout(header, image.size());
}

IconFault CheckImage(Bytes image, AnnouncedSize announced) {
  if (StartsWith(image, kPngSignature)) return CheckPngImage(image, announced);
  return CheckBitmapImage(image, announced);
}

IconFault CheckEntries(Bytes file) {
  const std::size_t count = ReadLe16(file, 4);
  const std::uint64_t directory_end = kDirectoryHeaderBytes + count * kDirectoryEntryBytes;
  for (std::size_t index = 0; index < count; ++index) {
    const DirectoryEntry entry = ReadDirectoryEntry(file, index);
    IconFault fault = CheckPlacement(entry, directory_end, file.size());
    if (fault == IconFault::kNone) {
      fault = CheckImage(file.subspan(static_cast<std::size_t>(entry.offset),
                                      static_cast<std::size_t>(entry.byte_count)),
                         entry.size);
    }
    if (fault != IconFault::kNone) return fault;
  }
  return IconFault::kNone;
}

}  // namespace

IconFault FindIconFault(std::span<const std::uint8_t> bytes) {
  IconFault fault = CheckEnvelope(bytes);
  if (fault == IconFault::kNone) fault = CheckDirectoryHeader(bytes);
  if (fault == IconFault::kNone) fault = CheckEntries(bytes);
  return fault;
}

std::string_view DescribeIconFault(IconFault fault) {
  switch (fault) {
    case IconFault::kNone:
      return "well-formed icon file";
    case IconFault::kEmpty:
      return "empty file";
    case IconFault::kTooLarge:
      return "file too large for an icon";
    case IconFault::kAnimated:
      return "RIFF (animated) content";
    case IconFault::kTruncatedHeader:
      return "file shorter than an icon header";
    case IconFault::kNotAnIcon:
      return "not an icon file";
    case IconFault::kCursor:
      return "cursor file, not an icon";
    case IconFault::kNoImages:
      return "directory lists no images";
    case IconFault::kTooManyImages:
      return "directory lists too many images";
    case IconFault::kTruncatedDirectory:
      return "directory runs past the end of the file";
    case IconFault::kEmptyImage:
      return "image of zero bytes";
    case IconFault::kImageOutsideFile:
      return "image runs past the end of the file";
    case IconFault::kImageInDirectory:
      return "image starts inside the directory";
    case IconFault::kUnknownImageFormat:
      return "image is neither PNG nor a bitmap";
    case IconFault::kBadPngHeader:
      return "PNG image without a sound header";
    case IconFault::kBadBitmapHeader:
      return "bitmap header of a wrong size";
    case IconFault::kCompressedBitmap:
      return "compressed bitmap";
    case IconFault::kBadPlanes:
      return "bitmap with other than one plane";
    case IconFault::kUnsupportedBitDepth:
      return "unsupported bit depth";
    case IconFault::kBadDimensions:
      return "image dimensions out of range";
    case IconFault::kDimensionsMismatch:
      return "image size differs from its directory entry";
    case IconFault::kBadPalette:
      return "palette larger than the bit depth allows";
    case IconFault::kPaletteOutsideImage:
      return "palette runs past the end of the image";
    case IconFault::kPixelsOutsideImage:
      return "pixels or mask run past the end of the image";
  }
  return "unknown fault";
}

}  // namespace murvane
