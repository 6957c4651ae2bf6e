// The three lock keys and everything fixed about each. Written once; every part
// of the program that loops over keys or names a key's controls goes through it.
#pragma once

#include <array>
#include <string>

#include "forms/form_desc.h"

namespace murvane {

// Picture slots: every per-key picture, path text and picture button comes in pairs.
constexpr int kOffSlot = 0;
constexpr int kOnSlot = 1;

struct LockKey {
  std::string name;  // also the prefix of the key's settings values
  int virtualKey;
  int trayId;
  std::u16string tipOn;
  std::u16string tipOff;
  std::u16string tipAtStart;

  std::u16string Name16() const { return std::u16string(name.begin(), name.end()); }
  // The key's controls, named after it.
  ControlId Frame() const { return {"fra" + name}; }
  ControlId ShowBox() const { return {"chk" + name}; }
  ControlId BuiltInPicture(int slot) const { return {"img" + name, slot}; }
  ControlId CurrentPicture(int slot) const { return {"imgCur" + name + "Icon", slot}; }
  ControlId PathText(int slot) const { return {"txt" + name + "IconPath", slot}; }
  ControlId ChangeButton(int slot) const { return {"cmd" + name + "IconChange", slot}; }
  ControlId DefaultButton(int slot) const { return {"cmd" + name + "DefaultIcon", slot}; }
  std::string BuiltInResource(int slot) const { return name + (slot == kOnSlot ? ".on" : ".off"); }
  // The built-in picture redrawn for a dark tray, or empty where the designed one
  // already reads there: the grey "off" glyph does, the black "on" glyph does not.
  std::string DarkGroundResource(int slot) const {
    return slot == kOnSlot ? name + ".on.dark" : std::string();
  }
};

enum class Key { CapsLock, NumLock, ScrollLock };

const LockKey& KeyInfo(Key key);

// The orders in which the program visits the keys. Each is observable: icons
// appear in start-up order, and the shell sees requests in the order they come.
constexpr std::array<Key, 3> kCapsNumScroll = {Key::CapsLock, Key::NumLock, Key::ScrollLock};
constexpr std::array<Key, 3> kScrollNumCaps = {Key::ScrollLock, Key::NumLock, Key::CapsLock};
constexpr std::array<Key, 3> kNumCapsScroll = {Key::NumLock, Key::CapsLock, Key::ScrollLock};

}  // namespace murvane
