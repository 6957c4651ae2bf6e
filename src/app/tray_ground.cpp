// Built-in pictures on a dark tray: the black "on" glyph of the designed art
// vanishes on a dark taskbar or panel, so the tray gets its dark-ground variant.
// Only the tray: the configuration window shows the designed pictures on its
// light ground, and a picture chosen from a file is always shown as it is.
#include "app/frm_main.h"

namespace murvane {

// The picture the tray shows for a key's slot.
PicturePtr frmMain::TrayPicture(Key key, int slot) {
  const LockKey& info = KeyInfo(key);
  PicturePtr current = form_->Picture(info.CurrentPicture(slot));
  // "(Default)" shares the built-in image's picture itself, so sameness tells it.
  const bool builtIn = current == form_->Picture(info.BuiltInPicture(slot));
  const std::string variant = info.DarkGroundResource(slot);
  if (!darkTray_ || !builtIn || variant.empty()) return current;
  PicturePtr& dark =
      keys_[static_cast<std::size_t>(key)].darkGround[static_cast<std::size_t>(slot)];
  if (!dark) dark = platform_.pictures.LoadResource(variant);
  return dark ? dark : current;
}

// The user switched between light and dark: push the pictures again the way
// Applica does. Other colour settings announce themselves the same way, so only
// a real change of ground costs the shell anything.
void frmMain::TrayGroundChanged() {
  const bool dark = platform_.tray.GroundIsDark();
  if (dark == darkTray_) return;
  darkTray_ = dark;
  cmdApply_Click();
}

}  // namespace murvane
