#include <cstdint>
#include <vector>

#include "icon_maker/ico_writer.h"

namespace murvane::testing {

std::vector<std::uint8_t> ValidIconBytes() {
  return MakeSolidIcon(16, {200, 30, 30});
}

std::vector<std::uint8_t> BitmapFileBytes() {
  std::vector<std::uint8_t> bytes = {'B', 'M'};
  bytes.resize(70, 0);
  return bytes;
}

}  // namespace murvane::testing
