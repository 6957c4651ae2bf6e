// Lock keys from the keyboards' LEDs in sysfs, where the session offers no
// other source: GNOME and wlroots compositors on Wayland.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <array>

#include "platform/qt/key_source.h"

namespace murvane::linux_desktop {

using qt::KeySource;

// /sys/class/leds/input*::capslock|numlock|scrolllock/brightness: a key is on when
// any keyboard's LED is; keyboards that come and go are found by scanning again.
class LedKeyboardState final : public KeySource {
 public:
  explicit LedKeyboardState(QString ledFolder = QStringLiteral("/sys/class/leds"),
                            int rescanMs = 2000);
  bool HasLeds();
  std::int16_t GetKeyState(int virtualKey) override;

 private:
  void ScanIfDue();

  QString folder_;
  int rescanMs_;
  std::array<QStringList, 3> brightnessFiles_;  // capslock, numlock, scrolllock
  QElapsedTimer scanned_;
};

}  // namespace murvane::linux_desktop
