// libFuzzer target for the icon check. Besides not crashing, every file the check accepts is
// walked the way a trusting loader would walk it: each byte its directory and headers point
// at is read. libFuzzer hands over a buffer of exactly the input's size, so AddressSanitizer
// turns any such read past the end into a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/ico/ico_check.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint64_t Le16(Bytes bytes, std::uint64_t at) {
  return bytes[at] | static_cast<std::uint64_t>(bytes[at + 1]) << 8;
}

std::uint64_t Le32(Bytes bytes, std::uint64_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

volatile std::uint8_t sink;

// Reads the last byte of the range, which lies inside the file whenever the range does.
void Touch(Bytes file, std::uint64_t begin, std::uint64_t length) {
  if (length == 0) return;
  if (begin + length > file.size()) std::abort();  // accepted, yet reaches past the end
  sink = file.data()[begin + length - 1];
}

void WalkBitmap(Bytes file, std::uint64_t at) {
  const std::uint64_t header = Le32(file, at);
  const std::uint64_t width = Le32(file, at + 4);
  const std::uint64_t height = Le32(file, at + 8) / 2;
  const std::uint64_t depth = Le16(file, at + 14);
  std::uint64_t colours = Le32(file, at + 32);
  if (colours == 0 && depth <= 8) colours = std::uint64_t{1} << depth;
  const std::uint64_t colour_row = (width * depth + 31) / 32 * 4;
  const std::uint64_t mask_row = (width + 31) / 32 * 4;
  Touch(file, at, header + colours * 4 + height * (colour_row + mask_row));
}

void WalkAcceptedIcon(Bytes file) {
  static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
  const std::uint64_t count = Le16(file, 4);
  Touch(file, 0, 6 + count * 16);
  for (std::uint64_t index = 0; index < count; ++index) {
    const std::uint64_t byte_count = Le32(file, 6 + index * 16 + 8);
    const std::uint64_t offset = Le32(file, 6 + index * 16 + 12);
    Touch(file, offset, byte_count);
    const bool png = file[offset] == kPng[0] && file[offset + 1] == kPng[1];
    if (png) Touch(file, offset, 33);  // signature and IHDR
    if (!png) WalkBitmap(file, offset);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes file(data, size);
  const murvane::IconFault fault = murvane::FindIconFault(file);
  if (murvane::DescribeIconFault(fault).empty()) std::abort();
  if (fault == murvane::IconFault::kNone) WalkAcceptedIcon(file);
  return 0;
}
