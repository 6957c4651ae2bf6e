#include "app/lock_keys.h"

namespace murvane {

namespace {
constexpr int kVkCapital = 0x14;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;
}  // namespace

const LockKey& KeyInfo(Key key) {
  // The Num Lock "on" tooltip alone has a colon; users have seen it that way for years.
  static const std::array<LockKey, 3> table = {{
      {"CapsLock", kVkCapital, 2, u"CapsLock On", u"CapsLock Off", u"CapsLock status"},
      {"NumLock", kVkNumLock, 1, u"NumLock: On", u"NumLock Off", u"NumLock status"},
      {"ScrollLock", kVkScroll, 3, u"ScrollLock On", u"ScrollLock Off", u"ScrollLock status"},
  }};
  return table[static_cast<std::size_t>(key)];
}

}  // namespace murvane
