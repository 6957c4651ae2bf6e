// Lock keys on X11: the X server's keyboard extension, whose named indicators
// announce every change.
#pragma once

#include <QElapsedTimer>
#include <array>
#include <memory>

#include "platform/qt/key_source.h"

class QSocketNotifier;
struct _XDisplay;

namespace murvane::linux_desktop {

using qt::KeySource;

// A private Xlib connection watched by the event loop: the named indicators
// "Caps Lock", "Num Lock" and "Scroll Lock" are read once and then follow the
// server's indicator events, so a tick asks the server nothing about them.
class XkbKeyboardState final : public KeySource {
 public:
  // Null when there is no X display or it lacks the keyboard extension.
  static std::unique_ptr<XkbKeyboardState> Open();
  ~XkbKeyboardState() override;
  XkbKeyboardState(const XkbKeyboardState&) = delete;
  XkbKeyboardState& operator=(const XkbKeyboardState&) = delete;

  std::int16_t GetKeyState(int virtualKey) override;
  bool Settled() const override;

 private:
  struct Lock {
    int virtualKey;
    const char* indicator;
    unsigned long keysym;
    int index = -1;  // the indicator's bit; -1 when the keymap has no such indicator
    bool lit = false;
    bool held = false;  // at the last read: its release sends no event
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

}  // namespace murvane::linux_desktop
