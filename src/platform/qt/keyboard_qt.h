// The lock keys' state on Linux: from the X server's keyboard extension when
// there is an X display, from the keyboards' LEDs in sysfs when there is none.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <memory>

#include "platform/platform.h"

class QSocketNotifier;
struct _XDisplay;

namespace murvane::qt {

constexpr int kVkCapital = 0x14;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;

// GetKeyState's shape: bit 0 while lit, the high bit while the key is held.
std::int16_t KeyStateValue(bool lit, bool held);

// A private Xlib connection watched by the event loop: the named indicators
// "Caps Lock", "Num Lock" and "Scroll Lock" are read once and then follow the
// server's indicator events, so a tick asks the server nothing about them.
class XkbKeyboardState final : public KeyboardState {
 public:
  // Null when there is no X display or it lacks the keyboard extension.
  static std::unique_ptr<XkbKeyboardState> Open();
  ~XkbKeyboardState() override;
  XkbKeyboardState(const XkbKeyboardState&) = delete;
  XkbKeyboardState& operator=(const XkbKeyboardState&) = delete;

  std::int16_t GetKeyState(int virtualKey) override;

 private:
  struct Lock {
    int virtualKey;
    const char* indicator;
    unsigned long keysym;
    int index = -1;  // the indicator's bit; -1 when the keymap has no such indicator
    bool lit = false;
    unsigned char keycode = 0;
  };

  XkbKeyboardState(_XDisplay* display, int eventBase);
  void ResolveNames();
  void ProcessEvents(int mode);
  bool Held(unsigned char keycode);

  _XDisplay* display_;
  int eventBase_;
  std::array<Lock, 3> locks_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::array<char, 32> keys_{};
  QElapsedTimer keysRead_;
};

// /sys/class/leds/input*::capslock|numlock|scrolllock/brightness: a key is on when
// any keyboard's LED is; keyboards that come and go are found by scanning again.
class LedKeyboardState final : public KeyboardState {
 public:
  explicit LedKeyboardState(QString ledFolder = QStringLiteral("/sys/class/leds"));
  bool HasLeds();
  std::int16_t GetKeyState(int virtualKey) override;

 private:
  void ScanIfDue();

  QString folder_;
  std::array<QStringList, 3> brightnessFiles_;  // capslock, numlock, scrolllock
  QElapsedTimer scanned_;
};

// Every key reads as off; said once on stderr.
class NoKeyboardState final : public KeyboardState {
 public:
  NoKeyboardState();
  std::int16_t GetKeyState(int) override { return 0; }
};

std::unique_ptr<KeyboardState> OpenKeyboardState();

}  // namespace murvane::qt
