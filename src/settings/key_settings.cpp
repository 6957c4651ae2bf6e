// Reading and writing a key's three settings values.
#include "settings/key_settings.h"

#include "app/frm_main.h"

namespace murvane {

namespace {

std::u16string IconValueName(const LockKey& key, int slot) {
  return slot == kOnSlot ? OnIconValueName(key.Name16()) : OffIconValueName(key.Name16());
}

}  // namespace

// Fills both picture slots and path texts of the key; a stored path that is
// missing, the marker, not a plain file or not a loadable icon falls back to the
// built-in picture without a word. The stored value itself is left alone.
bool frmMain::LoadKeySettings(const LockKey& key) {
  SettingsStore& store = platform_.settings;
  for (int slot : {kOnSlot, kOffSlot}) {
    std::u16string path =
        store.Read(kSettingsApplication, kSettingsSection, IconValueName(key, slot));
    PicturePtr picture;
    if (!path.empty() && path != kDefaultPictureMarker && platform_.files.IsNormalFile(path)) {
      picture = platform_.pictures.LoadIconFile(path);
    }
    if (picture) {
      form_->SetPicture(key.CurrentPicture(slot), picture);
      form_->SetText(key.PathText(slot), path);
    } else {
      form_->SetPicture(key.CurrentPicture(slot), form_->Picture(key.BuiltInPicture(slot)));
      form_->SetText(key.PathText(slot), kDefaultPictureMarker);
    }
  }
  return store.Read(kSettingsApplication, kSettingsSection, ShowValueName(key.Name16())) != u"0";
}

// Stops at the first write that fails; what was written before it stays.
bool frmMain::SaveKeySettings(const LockKey& key, bool show, const std::u16string& onPath,
                              const std::u16string& offPath) {
  SettingsStore& store = platform_.settings;
  const std::u16string name = key.Name16();
  return store.Write(kSettingsApplication, kSettingsSection, ShowValueName(name),
                     show ? u"1" : u"0") &&
         store.Write(kSettingsApplication, kSettingsSection, OnIconValueName(name), onPath) &&
         store.Write(kSettingsApplication, kSettingsSection, OffIconValueName(name), offPath);
}

}  // namespace murvane
