// What the configuration window's checkboxes and buttons do.
#include "app/frm_main.h"
#include "settings/key_settings.h"

namespace murvane {

void frmMain::mnuConfigure_Click() {
  // Shown as it was left: edits survive hiding, nothing is reloaded.
  form_->Show();
  platform_.windows.SetTaskListVisible(true);
}

// Runs for a click and for the program setting the box alike.
void frmMain::chkShow_Click(Key key) {
  if (form_->Value(KeyInfo(key).ShowBox()) == 1) {
    TrayOf(key).Add();
  } else {
    TrayOf(key).Delete();
  }
}

// The tray keeps its present picture until the next refresh.
void frmMain::cmdDefaultIcon_Click(Key key, int slot) {
  const LockKey& info = KeyInfo(key);
  form_->SetPicture(info.CurrentPicture(slot), form_->Picture(info.BuiltInPicture(slot)));
  form_->SetText(info.PathText(slot), kDefaultPictureMarker);
}

// Choosing a picture for a key means the user wants to see it, so the box is
// ticked even when the dialog was cancelled or the file was no usable icon.
void frmMain::cmdIconChange_Click(Key key, int slot) {
  const LockKey& info = KeyInfo(key);
  std::u16string answer = commonDialog_.ShowOpen(
      form_->hWnd(), std::u16string(u"Icone|*.ico") + u'\0' + u'\0', platform_.identity.folder);
  // "&Esci" from the tray, or the end of the session, may have come meanwhile.
  if (!form_->IsLoaded()) return;
  if (!answer.empty()) {
    std::u16string path = UpToFirstNul(answer);
    if (PicturePtr picture = platform_.pictures.LoadIconFile(path)) {
      form_->SetPicture(info.CurrentPicture(slot), std::move(picture));
      form_->SetText(info.PathText(slot), path);
    }
  }
  form_->SetValue(info.ShowBox(), 1);
}

void frmMain::cmdClose_Click() {
  bool anyShown = false;
  for (Key key : kCapsNumScroll) anyShown = anyShown || form_->Value(KeyInfo(key).ShowBox()) == 1;
  if (!anyShown) {
    platform_.windows.ShowWarning(form_->hWnd(), u"Occorre visualizzare almeno un'icona!",
                                  platform_.identity.title);
    return;
  }
  if (!SaveAllKeys()) {
    platform_.windows.ShowWarning(form_->hWnd(), u"Impossibile salvare le impostazioni.",
                                  platform_.identity.title);
    if (!form_->IsLoaded()) return;
  }
  form_->Hide();
  platform_.windows.SetTaskListVisible(false);
  cmdApply_Click();
}

// Every key is attempted even after one fails, so one bad value costs no others.
bool frmMain::SaveAllKeys() {
  platform_.settings.BeginWrites();
  bool allSaved = true;
  for (Key key : kCapsNumScroll) {
    const LockKey& info = KeyInfo(key);
    bool saved =
        SaveKeySettings(info, form_->Value(info.ShowBox()) == 1,
                        form_->Text(info.PathText(kOnSlot)), form_->Text(info.PathText(kOffSlot)));
    allSaved = allSaved && saved;
  }
  return platform_.settings.EndWrites() && allSaved;
}

}  // namespace murvane
