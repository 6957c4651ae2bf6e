// Which lock-key source a session gets: the X server's keyboard extension on
// X11, KWin's keystate on KDE Plasma's Wayland, the keyboards' LEDs where neither
// answers, and else none, said once on stderr.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "platform/linux/session/session_facts.h"
#include "platform/qt/key_source.h"

namespace murvane::linux_desktop {

using qt::KeySource;

// Every key reads as off, for good; the chooser says why once on stderr.
class NoKeyboardState final : public KeySource {
 public:
  std::int16_t GetKeyState(int) override { return 0; }
  bool Settled() const override { return true; }
};

// How to open each source; each returns null where it cannot answer.
struct KeySourceOpeners {
  std::function<std::unique_ptr<KeySource>()> xkb;
  std::function<std::unique_ptr<KeySource>()> keystate;
  std::function<std::unique_ptr<KeySource>()> leds;
};

// X11: Xkb (only over Qt's xcb, so no X connection of ours ever starts XWayland),
// then the LEDs. Wayland: KWin's keystate, then the LEDs. Otherwise none, with
// `warn` told once which session lacks what.
std::unique_ptr<KeySource> ChooseKeySource(const SessionFacts& session,
                                           const KeySourceOpeners& openers,
                                           const std::function<void(const QString&)>& warn);
QString NoKeySourceWarning(const SessionFacts& session);

std::unique_ptr<KeySource> OpenKeyboardState(const SessionFacts& session);

}  // namespace murvane::linux_desktop
