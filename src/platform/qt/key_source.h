// What the poll needs of a source of the three lock keys: their state in
// GetKeyState's shape, and whether every change will be announced, so a poll
// that sleeps while nothing happens can wake at once.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/platform.h"

namespace murvane::qt {

constexpr int kVkCapital = 0x14;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;

// GetKeyState's shape: bit 0 while lit, the high bit while the key is held.
std::int16_t KeyStateValue(bool lit, bool held);

// A source of the three keys. One that pushes its changes reports them through
// OnChange, so a poll that sleeps while nothing happens wakes at once.
class KeySource : public KeyboardState {
 public:
  // True while every change of the answers will be reported through OnChange;
  // false where they can change silently (polled LEDs, a lit key held down).
  virtual bool Settled() const { return false; }
  void OnChange(std::function<void()> call) { onChange_ = std::move(call); }

 protected:
  void Changed() const {
    if (onChange_) onChange_();
  }

 private:
  std::function<void()> onChange_;
};

}  // namespace murvane::qt
