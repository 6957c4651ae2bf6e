#include "app/frm_main.h"

#include "ui/config/config_layout.h"

namespace murvane {

namespace {
constexpr std::int32_t kWmMouseMove = 512;
}  // namespace

frmMain::frmMain(Platform& platform, WindowHost& host)
    : platform_(platform), host_(host), commonDialog_(platform) {}

frmMain::~frmMain() = default;

void frmMain::Load() {
  form_ =
      std::make_unique<Form>(platform_, ConfigWindowLayout(), static_cast<FormHandlers&>(*this));
  if (form_->IsLoaded()) Form_Load();
}

void frmMain::Form_Load() {
  darkTray_ = platform_.tray.GroundIsDark();
  for (Key key : kScrollNumCaps) PutUpIcon(key);
  LoadDisplaySetting();
  form_->Hide();
  platform_.windows.SetTaskListVisible(false);
}

void frmMain::PutUpIcon(Key key) {
  const LockKey& info = KeyInfo(key);
  KeyIcon& icon = keys_[static_cast<std::size_t>(key)];
  icon.tray = std::make_unique<clsTrayIcon>(platform_.tray, platform_.ansi);
  icon.tray->hWnd(form_->hWnd());
  icon.tray->uId(info.trayId);
  icon.tray->uFlags(kNifMessage | kNifIcon | kNifTip);
  icon.tray->uCallbackMessage(kWmMouseMove);
  icon.given = form_->Picture(info.BuiltInPicture(kOffSlot));
  icon.tray->hIcon(icon.given->Handle());
  icon.tray->szTip(info.tipAtStart + u'\0');
  if (LoadKeySettings(info)) {
    // Already ticked at design, so no change event: the explicit Add puts it up.
    form_->SetValue(info.ShowBox(), 1);
    icon.tray->Add();
  } else {
    form_->SetValue(info.ShowBox(), 0);
  }
}

void frmMain::Click(const ControlId& id) {
  if (id.name == "mnuExit") return mnuExit_Click();
  if (id.name == "mnuConfigure") return mnuConfigure_Click();
  if (id.name == "mnuAbout") return host_.ShowAbout();
  if (id.name == "mnuOnScreenDisplay") return mnuOnScreenDisplay_Click();
  if (id.name == "cmdApply") return cmdApply_Click();
  if (id.name == "cmdClose") return cmdClose_Click();
  for (Key key : kCapsNumScroll) {
    const LockKey& info = KeyInfo(key);
    if (id.name == info.DefaultButton(kOffSlot).name) return cmdDefaultIcon_Click(key, id.index);
    if (id.name == info.ChangeButton(kOffSlot).name) return cmdIconChange_Click(key, id.index);
  }
}

void frmMain::Change(const ControlId& id) {
  for (Key key : kCapsNumScroll) {
    if (id == KeyInfo(key).ShowBox()) return chkShow_Click(key);
  }
}

void frmMain::TimerTick(const ControlId& id) {
  if (id.name == "Timer1") Timer1_Timer();
}

void frmMain::QueryUnload(std::int16_t& cancel, int reason) {
  if (reason == kUnloadByUser) {
    cancel = 1;
    cmdClose_Click();
    return;
  }
  DeleteAllIcons();
}

void frmMain::DeleteAllIcons() {
  for (Key key : kNumCapsScroll) TrayOf(key).Delete();
}

void frmMain::Unloaded() {
  host_.WindowUnloaded();
}

void frmMain::mnuExit_Click() {
  form_->Unload(kUnloadByProgram);
}

}  // namespace murvane
