// Lock keys on KDE Plasma's Wayland: KWin's org_kde_kwin_keystate protocol.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/qt/key_source.h"

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct org_kde_kwin_keystate;

namespace murvane::linux_desktop {

using qt::KeySource;

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

}  // namespace murvane::linux_desktop
