#include <QSocketNotifier>
#include <algorithm>
#include <cstring>
#include <utility>

#include "keystate-client-protocol.h"
#include "platform/linux/keys/kwin_keystate.h"

namespace murvane::linux_desktop {
namespace {

// KWin 5.27 offers version 1: fetchStates and stateChanged, all we use.
constexpr std::uint32_t kKeystateVersion = 1;

}  // namespace

int KeystateVirtualKey(std::uint32_t key) {
  switch (key) {
    case ORG_KDE_KWIN_KEYSTATE_KEY_CAPSLOCK:
      return qt::kVkCapital;
    case ORG_KDE_KWIN_KEYSTATE_KEY_NUMLOCK:
      return qt::kVkNumLock;
    case ORG_KDE_KWIN_KEYSTATE_KEY_SCROLLLOCK:
      return qt::kVkScroll;
    default:
      return 0;
  }
}

bool KeystateLit(std::uint32_t state) {
  return state == ORG_KDE_KWIN_KEYSTATE_STATE_LOCKED;
}

std::unique_ptr<KeystateKeyboardState> KeystateKeyboardState::Open() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<KeystateKeyboardState> source(new KeystateKeyboardState(display));
  if (!source->Bind()) return nullptr;
  return source;
}

KeystateKeyboardState::KeystateKeyboardState(wl_display* display) : display_(display) {}

KeystateKeyboardState::~KeystateKeyboardState() {
  notifier_.reset();
  if (keystate_) org_kde_kwin_keystate_destroy(keystate_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void KeystateKeyboardState::Global(void* self, wl_registry* registry, std::uint32_t name,
                                   const char* interface, std::uint32_t version) {
  auto* source = static_cast<KeystateKeyboardState*>(self);
  if (source->keystate_ || std::strcmp(interface, org_kde_kwin_keystate_interface.name) != 0)
    return;
  source->keystate_ = static_cast<org_kde_kwin_keystate*>(wl_registry_bind(
      registry, name, &org_kde_kwin_keystate_interface, std::min(version, kKeystateVersion)));
}

void KeystateKeyboardState::StateChanged(void* self, org_kde_kwin_keystate*, std::uint32_t key,
                                         std::uint32_t state) {
  auto* source = static_cast<KeystateKeyboardState*>(self);
  source->changed_ = ApplyKeystateEvent(source->lit_, key, state) || source->changed_;
}

// The registry is asked once; KWin filters out what this program may not have,
// so an absent interface means "not for us" and the LEDs are tried next.
bool KeystateKeyboardState::Bind() {
  static const wl_registry_listener registryListener = {&Global,
                                                        [](void*, wl_registry*, std::uint32_t) {}};
  static const org_kde_kwin_keystate_listener keystateListener = {&StateChanged};
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &registryListener, this);
  if (wl_display_roundtrip(display_) < 0 || !keystate_) return false;
  org_kde_kwin_keystate_add_listener(keystate_, &keystateListener, this);
  org_kde_kwin_keystate_fetchStates(keystate_);
  if (wl_display_roundtrip(display_) < 0) return false;
  changed_ = false;
  notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { Read(); });
  return true;
}

// Keys a later version may add are left alone.
bool ApplyKeystateEvent(std::array<bool, 3>& lit, std::uint32_t key, std::uint32_t state) {
  if (KeystateVirtualKey(key) == 0) return false;
  const bool now = KeystateLit(state);
  return std::exchange(lit[key], now) != now;
}

// A compositor that went away leaves the keys as they were last told.
void KeystateKeyboardState::Read() {
  if (wl_display_dispatch(display_) < 0) {
    notifier_->setEnabled(false);
    return;
  }
  wl_display_flush(display_);
  if (std::exchange(changed_, false)) Changed();
}

std::int16_t KeystateKeyboardState::GetKeyState(int virtualKey) {
  for (std::uint32_t key = 0; key < lit_.size(); ++key) {
    if (KeystateVirtualKey(key) == virtualKey) return qt::KeyStateValue(lit_[key], false);
  }
  return 0;
}

}  // namespace murvane::linux_desktop
