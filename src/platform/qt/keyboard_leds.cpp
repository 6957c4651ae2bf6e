#include <QDir>
#include <QFile>
#include <cstdio>

#include "platform/qt/keyboard_qt.h"

namespace murvane::qt {
namespace {

constexpr int kRescanMs = 2000;
const std::array<const char*, 3> kLedSuffixes = {"::capslock", "::numlock", "::scrolllock"};

int LedIndex(int virtualKey) {
  switch (virtualKey) {
    case kVkCapital:
      return 0;
    case kVkNumLock:
      return 1;
    case kVkScroll:
      return 2;
    default:
      return -1;
  }
}

bool Lit(const QString& brightnessFile) {
  QFile file(brightnessFile);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray value = file.readAll().trimmed();
  return !value.isEmpty() && value != "0";
}

}  // namespace

LedKeyboardState::LedKeyboardState(QString ledFolder) : folder_(std::move(ledFolder)) {}

bool LedKeyboardState::HasLeds() {
  ScanIfDue();
  for (const QStringList& files : brightnessFiles_) {
    if (!files.isEmpty()) return true;
  }
  return false;
}

void LedKeyboardState::ScanIfDue() {
  if (scanned_.isValid() && scanned_.elapsed() < kRescanMs) return;
  scanned_.start();
  const QStringList leds =
      QDir(folder_).entryList({QStringLiteral("input*")}, QDir::Dirs | QDir::System, QDir::Name);
  for (std::size_t i = 0; i < kLedSuffixes.size(); ++i) {
    brightnessFiles_[i].clear();
    for (const QString& led : leds) {
      if (led.endsWith(QLatin1String(kLedSuffixes[i]))) {
        brightnessFiles_[i].append(folder_ + QLatin1Char('/') + led +
                                   QStringLiteral("/brightness"));
      }
    }
  }
}

std::int16_t LedKeyboardState::GetKeyState(int virtualKey) {
  const int index = LedIndex(virtualKey);
  if (index < 0) return 0;
  ScanIfDue();
  for (const QString& file : brightnessFiles_[static_cast<std::size_t>(index)]) {
    if (Lit(file)) return KeyStateValue(true, false);
  }
  return KeyStateValue(false, false);
}

NoKeyboardState::NoKeyboardState() {
  std::fputs("murvane: no X keyboard and no keyboard LEDs found; every lock key reads as off\n",
             stderr);
}

std::unique_ptr<KeyboardState> OpenKeyboardState() {
  if (auto xkb = XkbKeyboardState::Open()) return xkb;
  auto leds = std::make_unique<LedKeyboardState>();
  if (leds->HasLeds()) return leds;
  return std::make_unique<NoKeyboardState>();
}

}  // namespace murvane::qt
