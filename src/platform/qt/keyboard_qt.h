// The lock keys' state on Linux, from one source chosen for the session: the X
// server's keyboard extension on X11, KWin's keystate protocol on KDE Plasma's
// Wayland, the keyboards' LEDs in sysfs where neither answers.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "platform/platform.h"

class QSocketNotifier;
struct _XDisplay;
struct wl_display;
struct wl_registry;
struct org_kde_kwin_keystate;

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

// What KWin's org_kde_kwin_keystate says: key 0 Caps, 1 Num, 2 Scroll; state 0
// unlocked, 1 latched, 2 locked. Only a locked key is lit, as its LED is.
int KeystateVirtualKey(std::uint32_t key);
bool KeystateLit(std::uint32_t state);
// Applies one stateChanged event to Caps, Num, Scroll; true when a key changed.
bool ApplyKeystateEvent(std::array<bool, 3>& lit, std::uint32_t key, std::uint32_t state);

// A Wayland connection of its own to KWin, watched by the event loop. KWin sends
// all three keys on every change and offers the interface only to programs whose
// installed .desktop file names them.
class KeystateKeyboardState final : public KeySource {
 public:
  // Null when there is no Wayland display or it does not offer the interface.
  static std::unique_ptr<KeystateKeyboardState> Open();
  ~KeystateKeyboardState() override;
  KeystateKeyboardState(const KeystateKeyboardState&) = delete;
  KeystateKeyboardState& operator=(const KeystateKeyboardState&) = delete;

  std::int16_t GetKeyState(int virtualKey) override;
  bool Settled() const override { return true; }

 private:
  explicit KeystateKeyboardState(wl_display* display);
  bool Bind();
  void Read();
  static void Global(void* self, wl_registry* registry, std::uint32_t name, const char* interface,
                     std::uint32_t version);
  static void StateChanged(void* self, org_kde_kwin_keystate* keystate, std::uint32_t key,
                           std::uint32_t state);

  wl_display* display_;
  wl_registry* registry_ = nullptr;
  org_kde_kwin_keystate* keystate_ = nullptr;
  std::array<bool, 3> lit_{};  // Caps, Num, Scroll
  bool changed_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
};

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

// Every key reads as off, for good; the chooser says why once on stderr.
class NoKeyboardState final : public KeySource {
 public:
  std::int16_t GetKeyState(int) override { return 0; }
  bool Settled() const override { return true; }
};

// What decides the source: a session is Wayland when WAYLAND_DISPLAY is set or
// Qt runs on wayland, whatever DISPLAY says, because XWayland's keyboard follows
// the compositor only while an X11 window has the focus.
struct SessionFacts {
  bool waylandDisplay = false;
  bool xDisplay = false;
  QString qtPlatform;  // "xcb", "wayland", "offscreen", ...
  QString desktop;     // XDG_CURRENT_DESKTOP, to name the session
};
SessionFacts CurrentSession();
bool IsWaylandSession(const SessionFacts& session);

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

std::unique_ptr<KeySource> OpenKeyboardState();

}  // namespace murvane::qt
