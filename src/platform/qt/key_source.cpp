#include "platform/qt/key_source.h"

namespace murvane::qt {

std::int16_t KeyStateValue(bool lit, bool held) {
  return static_cast<std::int16_t>((lit ? 0x0001 : 0) | (held ? 0xFF80 : 0));
}

}  // namespace murvane::qt
