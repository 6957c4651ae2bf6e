// A window layout with one of each kind of control, shaped like the program's own.
#pragma once

#include "forms/form_desc.h"

namespace murvane::win32::test {

inline ControlDesc Control(ControlKind kind, const char* name, int index, const char* parent,
                           const char16_t* caption, TwipsRect rect, int tabIndex = -1) {
  ControlDesc desc;
  desc.kind = kind;
  desc.id = ControlId{name, index};
  desc.parent = parent;
  desc.caption = caption;
  desc.rect = rect;
  desc.tabIndex = tabIndex;
  return desc;
}

inline WindowDesc SampleLayout(StartPosition position = StartPosition::WindowsDefault) {
  using K = ControlKind;
  WindowDesc window;
  window.name = "frmSample";
  window.caption = u"Murvane - Configurazione";
  window.clientWidth = 5400;
  window.clientHeight = 4050;
  window.position = position;
  window.icon = "Murvane";
  auto& c = window.controls;
  c.push_back(Control(K::Frame, "fraCapsLock", -1, "", u"CaspLock", {60, 60, 4035, 1275}, 0));
  c.push_back(Control(K::TextBox, "txtCapsLockIconPath", 0, "fraCapsLock", u"(Default)",
                      {3000, 180, 195, 285}, 1));
  c.back().visible = false;
  c.push_back(Control(K::Image, "imgCapsLock", 0, "fraCapsLock", u"", {3420, 180, 240, 240}));
  c.back().visible = false;
  c.back().picture = "CapsLock.off";
  c.push_back(Control(K::CheckBox, "chkCapsLock", -1, "fraCapsLock", u"Visualizza stato",
                      {60, 240, 3135, 315}, 3));
  c.back().value = 1;
  c.push_back(Control(K::Label, "lblOff", 0, "fraCapsLock", u"Icona stato inattivo:",
                      {300, 600, 1515, 255}));
  c.push_back(
      Control(K::Image, "imgCurCapsLockIcon", 0, "fraCapsLock", u"", {1920, 600, 240, 240}));
  c.push_back(Control(K::Button, "cmdCapsLockIconChange", 0, "fraCapsLock", u"Modifica",
                      {2340, 600, 795, 255}, 5));
  c.push_back(Control(K::Button, "cmdCapsLockDefaultIcon", 0, "fraCapsLock", u"Default",
                      {3180, 600, 795, 255}, 6));
  c.push_back(Control(K::Button, "cmdApply", -1, "", u"&Applica", {4140, 3180, 1215, 375}, 31));
  c.back().isDefault = true;
  c.push_back(Control(K::Button, "cmdClose", -1, "", u"&Chiudi", {4140, 3600, 1215, 375}, 30));
  c.back().isCancel = true;
  c.push_back(Control(K::Label, "lblLink", -1, "", u"www.example.com", {300, 2160, 975, 195}, 4));
  c.back().font = FontDesc{u"Tahoma", 8.25, false, true};
  c.back().foreColour = Rgb(0, 0, 255);
  c.push_back(Control(K::Label, "lblTitle", -1, "", u"Murvane", {1050, 1400, 3885, 480}));
  c.back().font = FontDesc{u"Tahoma", 15.75, false, false};
  c.push_back(Control(K::Line, "Line1", 1, "", u"", {90, 2445, 5564, 0}));
  c.back().foreColour = Rgb(128, 128, 128);
  c.back().insideSolid = true;
  c.push_back(Control(K::Timer, "Timer1", -1, "", u"", {}));
  c.back().intervalMs = 30;
  window.menus.push_back(MenuDesc{"mnuBar",
                                  u"MenuBar",
                                  {{"mnuExit", u"&Esci"},
                                   {"mnuConfigure", u"&Configura..."},
                                   {"mnuSeparator1", u"-"},
                                   {"mnuAbout", u"&Su..."}}});
  return window;
}

}  // namespace murvane::win32::test
