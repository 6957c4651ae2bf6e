#include <QDir>
#include <QFile>

#include "platform/linux/keys/leds.h"

namespace murvane::linux_desktop {
namespace {

const std::array<const char*, 3> kLedSuffixes = {"::capslock", "::numlock", "::scrolllock"};

int LedIndex(int virtualKey) {
  switch (virtualKey) {
    case qt::kVkCapital:
      return 0;
    case qt::kVkNumLock:
      return 1;
    case qt::kVkScroll:
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

LedKeyboardState::LedKeyboardState(QString ledFolder, int rescanMs)
    : folder_(std::move(ledFolder)), rescanMs_(rescanMs) {}

bool LedKeyboardState::HasLeds() {
  ScanIfDue();
  for (const QStringList& files : brightnessFiles_) {
    if (!files.isEmpty()) return true;
  }
  return false;
}

void LedKeyboardState::ScanIfDue() {
  if (scanned_.isValid() && scanned_.elapsed() < rescanMs_) return;
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
    if (Lit(file)) return qt::KeyStateValue(true, false);
  }
  return qt::KeyStateValue(false, false);
}

}  // namespace murvane::linux_desktop
