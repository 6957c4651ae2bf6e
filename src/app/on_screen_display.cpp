// The opt-in on-screen display: its tray menu switch, its stored value, and
// which key changes it shows.
#include "app/frm_main.h"
#include "settings/key_settings.h"

namespace murvane {

namespace {
const std::string kDisplayItem = "mnuOnScreenDisplay";
}

// Off unless the value is exactly "1", so a damaged value never surprises the
// user with a panel they did not ask for.
void frmMain::LoadDisplaySetting() {
  displayOn_ = platform_.settings.Read(kSettingsApplication, kSettingsSection,
                                       kOnScreenDisplayValueName) == u"1";
  form_->SetMenuChecked(kDisplayItem, displayOn_);
}

// Written on its own, at once: the choice is made from the tray, with no
// configuration window to save it later.
void frmMain::mnuOnScreenDisplay_Click() {
  const bool on = !displayOn_;
  if (!platform_.settings.Write(kSettingsApplication, kSettingsSection, kOnScreenDisplayValueName,
                                on ? u"1" : u"0")) {
    platform_.windows.ShowWarning(form_->hWnd(), u"Impossibile salvare le impostazioni.",
                                  platform_.identity.title);
    return;
  }
  displayOn_ = on;
  form_->SetMenuChecked(kDisplayItem, on);
}

// One display for the whole tick, Caps first, showing exactly what the tray
// just got; a key whose icon the user hid stays silent here too.
void frmMain::ShowKeyChanges(const std::array<bool, 3>& changed, const std::array<bool, 3>& now) {
  std::vector<DisplayRow> rows;
  for (Key key : kCapsNumScroll) {
    const auto index = static_cast<std::size_t>(key);
    const LockKey& info = KeyInfo(key);
    if (!changed[index] || form_->Value(info.ShowBox()) != 1) continue;
    rows.push_back({keys_[index].given, now[index] ? info.tipOn : info.tipOff});
  }
  if (!rows.empty()) platform_.display.Show(rows);
}

}  // namespace murvane
