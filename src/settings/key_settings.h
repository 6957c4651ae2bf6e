// Where the per-key choices live in the per-user settings store.
#pragma once

#include <string>

namespace murvane {

inline const std::u16string kSettingsApplication = u"Polden Software\\Murvane";
inline const std::u16string kSettingsSection = u"Settings";
// "1" turns the on-screen display on; anything else leaves it off.
inline const std::u16string kOnScreenDisplayValueName = u"OnScreenDisplay";
// Stands for the built-in picture; compared exactly, letter case included.
inline const std::u16string kDefaultPictureMarker = u"(Default)";

inline std::u16string ShowValueName(const std::u16string& key) {
  return key + u"Show";
}
inline std::u16string OnIconValueName(const std::u16string& key) {
  return key + u"OnIcon";
}
inline std::u16string OffIconValueName(const std::u16string& key) {
  return key + u"OffIcon";
}

}  // namespace murvane
