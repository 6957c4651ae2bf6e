// The tray icons' mouse messages and the context menu they open.
#include "app/frm_main.h"

namespace murvane {

namespace {
constexpr std::uint32_t kWmRButtonUp = 517;
}

// All three icons open the same menu, so the icon id is not looked at.
void frmMain::TrayCallback(std::uint32_t /*iconId*/, std::uint32_t mouseMessage) {
  // Callbacks that arrive while the menu is open, or while its command runs,
  // would otherwise stack a second menu on the first.
  if (trayBusy_) return;
  trayBusy_ = true;
  if (mouseMessage == kWmRButtonUp) form_->PopupMenu("mnuBar");
  trayBusy_ = false;
}

// A restarted shell has forgotten every icon; bring back the ones the user shows.
void frmMain::TrayRecreated() {
  for (Key key : kScrollNumCaps) {
    if (form_->Value(KeyInfo(key).ShowBox()) == 1) TrayOf(key).Add();
  }
}

}  // namespace murvane
