#include <cstdio>

#include "platform/linux/desktop/desktop_notice.h"
#include "platform/linux/keys/key_source_choice.h"
#include "platform/linux/keys/kwin_keystate.h"
#include "platform/linux/keys/leds.h"
#include "platform/linux/keys/xkb.h"

namespace murvane::linux_desktop {
namespace {

std::unique_ptr<KeySource> Try(const std::function<std::unique_ptr<KeySource>()>& open) {
  return open ? open() : nullptr;
}

}  // namespace

QString NoKeySourceWarning(const SessionFacts& session) {
  const QString missing =
      IsWaylandSession(session)
          ? QStringLiteral("no keystate from the compositor and no keyboard LEDs readable")
      : session.qtPlatform == QLatin1String("xcb")
          ? QStringLiteral("no X keyboard extension and no keyboard LEDs readable")
          : QStringLiteral("no keyboard LEDs readable");
  return QStringLiteral("murvane: %1 on this %2 session; every lock key reads as off")
      .arg(missing, SessionName(session));
}

std::unique_ptr<KeySource> ChooseKeySource(const SessionFacts& session,
                                           const KeySourceOpeners& openers,
                                           const std::function<void(const QString&)>& warn) {
  const bool wayland = IsWaylandSession(session);
  if (!wayland && session.qtPlatform == QLatin1String("xcb")) {
    if (auto xkb = Try(openers.xkb)) return xkb;
  }
  if (wayland) {
    if (auto keystate = Try(openers.keystate)) return keystate;
  }
  if (auto leds = Try(openers.leds)) return leds;
  if (warn) warn(NoKeySourceWarning(session));
  return std::make_unique<NoKeyboardState>();
}

std::unique_ptr<KeySource> OpenKeyboardState(const SessionFacts& session) {
  const KeySourceOpeners openers{
      [] { return std::unique_ptr<KeySource>(XkbKeyboardState::Open()); },
      [] { return std::unique_ptr<KeySource>(KeystateKeyboardState::Open()); },
      []() -> std::unique_ptr<KeySource> {
        // Another folder only for measuring the LED source where there are no LEDs.
        auto leds = std::make_unique<LedKeyboardState>(
            qEnvironmentVariable("MURVANE_LED_FOLDER", QStringLiteral("/sys/class/leds")));
        if (!leds->HasLeds()) return nullptr;
        return leds;
      }};
  return ChooseKeySource(session, openers, [&session](const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    ShowDesktopNotice(NoKeySourceNotice(session));
  });
}

}  // namespace murvane::linux_desktop
