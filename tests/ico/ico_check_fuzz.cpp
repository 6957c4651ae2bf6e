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

// The `size` bytes at `at`, least significant first.
std::uint64_t Le(Bytes bytes, std::uint64_t at, int size = 4) {
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

volatile std::uint8_t sink;

// Reads the last byte of the range, which lies inside the file whenever the range does.
void Touch(Bytes file, std::uint64_t begin, std::uint64_t length) {
  if (length == 0) return;
  if (begin + length > file.size()) std::abort();  // accepted, yet reaches past the end
  sink = file.data()[begin + length - 1];
}

void WalkBitmap(Bytes file, std::uint64_t at) {
  const std::uint64_t width = Le(file, at + 4), height = Le(file, at + 8) / 2;
  const std::uint64_t depth = Le(file, at + 14, 2);
  std::uint64_t colours = Le(file, at + 32);
  if (colours == 0 && depth <= 8) colours = std::uint64_t{1} << depth;
  const std::uint64_t rows = (width * depth + 31) / 32 * 4 + (width + 31) / 32 * 4;
  Touch(file, at, Le(file, at) + colours * 4 + height * rows);
}

void WalkAcceptedIcon(Bytes file) {
  const std::uint64_t count = Le(file, 4, 2);
  Touch(file, 0, 6 + count * 16);
  for (std::uint64_t index = 0; index < count; ++index) {
    const std::uint64_t offset = Le(file, 6 + index * 16 + 12);
    Touch(file, offset, Le(file, 6 + index * 16 + 8));
    const bool png = file[offset] == 0x89 && file[offset + 1] == 'P';
    png ? Touch(file, offset, 33) : WalkBitmap(file, offset);  // a PNG: signature and IHDR
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
