// The main window: the program's start-up window, owner of the three tray icons
// and the poll timer, and, when shown, the configuration window.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "app/application.h"
#include "app/lock_keys.h"
#include "forms/form.h"
#include "tray/cls_tray_icon.h"
#include "ui/dialogs/common_dialog.h"

namespace murvane {

class frmMain final : private FormHandlers {
 public:
  frmMain(Platform& platform, WindowHost& host);
  ~frmMain() override;

  // Creates the window and runs start-up; the window stays hidden.
  void Load();
  Form& Window() { return *form_; }
  bool IsLoaded() const { return form_ && form_->IsLoaded(); }

  // What the tray menu's "&Configura..." and "&Esci" do, for requests from outside.
  void Configure() { mnuConfigure_Click(); }
  void Exit() { mnuExit_Click(); }
  void RemoveIcons() { DeleteAllIcons(); }

  // Push a key's state into its tray icon; they never add or remove the icon.
  void SetCapsLock(bool& blnCapsLock);
  void SetNumLock(bool& blnNumLock);
  void SetScrollLock(bool& blnScrollLock);

 private:
  struct KeyIcon {
    std::unique_ptr<clsTrayIcon> tray;
    // The picture whose handle the tray record carries; holding it keeps the
    // handle valid for as long as the shell may draw it.
    PicturePtr given;
    std::optional<bool> lastSeen;  // empty until the first tick
    // The built-in pictures' dark-ground variants, loaded when first needed.
    std::array<PicturePtr, 2> darkGround;
  };

  // Form events, routed by control name.
  void Click(const ControlId& id) override;
  void Change(const ControlId& id) override;
  void TimerTick(const ControlId& id) override;
  void QueryUnload(std::int16_t& cancel, int reason) override;
  void Unloaded() override;
  void TrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) override;
  void TrayRecreated() override;
  void TrayGroundChanged() override;

  // Start-up and shutdown.
  void Form_Load();
  void PutUpIcon(Key key);
  void DeleteAllIcons();
  void mnuExit_Click();

  // The key-state indicator.
  clsTrayIcon& TrayOf(Key key);
  void SetKeyState(Key key, bool on);
  [[nodiscard]] PicturePtr GiveIcon(Key key, PicturePtr picture);
  PicturePtr TrayPicture(Key key, int slot);
  bool IsKeyOn(Key key);
  std::array<bool, 3> ReadAllKeys();
  void Timer1_Timer();
  void cmdApply_Click();

  // The on-screen display.
  void LoadDisplaySetting();
  void mnuOnScreenDisplay_Click();
  void ShowKeyChanges(const std::array<bool, 3>& changed, const std::array<bool, 3>& now);

  // Settings.
  bool LoadKeySettings(const LockKey& key);
  bool SaveKeySettings(const LockKey& key, bool show, const std::u16string& onPath,
                       const std::u16string& offPath);

  // The configuration window.
  void mnuConfigure_Click();
  void chkShow_Click(Key key);
  void cmdDefaultIcon_Click(Key key, int slot);
  void cmdIconChange_Click(Key key, int slot);
  void cmdClose_Click();
  bool SaveAllKeys();

  Platform& platform_;
  WindowHost& host_;
  std::unique_ptr<Form> form_;
  std::array<KeyIcon, 3> keys_;
  modCommonDialog commonDialog_;
  bool trayBusy_ = false;
  bool darkTray_ = false;
  bool displayOn_ = false;
};

}  // namespace murvane
