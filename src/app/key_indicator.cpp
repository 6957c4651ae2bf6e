// Keeps each tray icon's picture and tooltip in step with its lock key.
#include "app/frm_main.h"

#include <utility>

namespace murvane {

clsTrayIcon& frmMain::TrayOf(Key key) {
  KeyIcon& icon = keys_[static_cast<std::size_t>(key)];
  if (!icon.tray) icon.tray = std::make_unique<clsTrayIcon>(platform_.tray, platform_.ansi);
  return *icon.tray;
}

void frmMain::SetCapsLock(bool& blnCapsLock) {
  SetKeyState(Key::CapsLock, blnCapsLock);
}
void frmMain::SetNumLock(bool& blnNumLock) {
  SetKeyState(Key::NumLock, blnNumLock);
}
void frmMain::SetScrollLock(bool& blnScrollLock) {
  SetKeyState(Key::ScrollLock, blnScrollLock);
}

void frmMain::SetKeyState(Key key, bool on) {
  const LockKey& info = KeyInfo(key);
  clsTrayIcon& tray = TrayOf(key);
  PicturePtr previous = GiveIcon(key, TrayPicture(key, on ? kOnSlot : kOffSlot));
  tray.szTip((on ? info.tipOn : info.tipOff) + u'\0');
  // Refused when the icon is hidden; the record keeps the state for a later Add.
  tray.Modify();
  // Only now may the previous picture go: until the Modify above the shell was
  // still drawing its handle.
}

// Returns the picture the record carried before, which the caller keeps alive
// until the shell has been given the new handle.
PicturePtr frmMain::GiveIcon(Key key, PicturePtr picture) {
  KeyIcon& icon = keys_[static_cast<std::size_t>(key)];
  TrayOf(key).hIcon(picture ? picture->Handle() : 0);
  return std::exchange(icon.given, std::move(picture));
}

// A toggled key that is held down at this moment reads as off: only the exact
// value 1 counts, so the icon turns on when the key is released.
bool frmMain::IsKeyOn(Key key) {
  return platform_.keyboard.GetKeyState(KeyInfo(key).virtualKey) == 1;
}

// All three are read before any icon changes, Num Lock first, indexed by Key.
std::array<bool, 3> frmMain::ReadAllKeys() {
  std::array<bool, 3> on{};
  for (Key key : kNumCapsScroll) on[static_cast<std::size_t>(key)] = IsKeyOn(key);
  return on;
}

void frmMain::Timer1_Timer() {
  const std::array<bool, 3> now = ReadAllKeys();
  // The first tick only learns the keys: it is no change the user made.
  std::array<bool, 3> changed{};
  for (Key key : kNumCapsScroll) {
    KeyIcon& icon = keys_[static_cast<std::size_t>(key)];
    bool on = now[static_cast<std::size_t>(key)];
    if (icon.lastSeen == on) continue;
    changed[static_cast<std::size_t>(key)] = icon.lastSeen.has_value();
    SetKeyState(key, on);
    icon.lastSeen = on;
  }
  if (displayOn_) ShowKeyChanges(changed, now);
}

// Pictures changed in the configuration window reach the tray only through a
// setter; this runs all three without touching what the poll has seen.
void frmMain::cmdApply_Click() {
  const std::array<bool, 3> now = ReadAllKeys();
  for (Key key : kScrollNumCaps) SetKeyState(key, now[static_cast<std::size_t>(key)]);
}

}  // namespace murvane
