#include "ui/config/config_layout.h"

#include "app/lock_keys.h"

namespace murvane {

namespace {

ControlDesc Make(ControlKind kind, ControlId id, std::string parent, std::u16string caption,
                 TwipsRect rect, int tabIndex, bool visible = true) {
  ControlDesc desc;
  desc.kind = kind;
  desc.id = std::move(id);
  desc.parent = std::move(parent);
  desc.caption = std::move(caption);
  desc.rect = rect;
  desc.tabIndex = tabIndex;
  desc.visible = visible;
  return desc;
}

// One row of a key frame: its label, current picture and two buttons. The two
// rows' buttons read alike, so a screen reader hears each with its row's label,
// and the picture by key and row, described by the file it shows.
void AddPictureRow(std::vector<ControlDesc>& out, const LockKey& key, int slot, int top, int tab) {
  const std::string frame = key.Frame().name;
  const std::u16string row = slot == kOnSlot ? u"Icona stato attivo" : u"Icona stato inattivo";
  const int firstTab = tab + (slot == kOnSlot ? 8 : 5);
  out.push_back(Make(ControlKind::Label, {"lbl" + key.name + "Icon", slot}, frame, row + u":",
                     {300, top, 1515, 255}, -1));
  ControlDesc picture =
      Make(ControlKind::Image, key.CurrentPicture(slot), frame, u"", {1920, top, 240, 240}, -1);
  picture.accessibleName = key.Name16() + u", i" + row.substr(1);
  picture.describedBy = key.PathText(slot);
  out.push_back(picture);
  ControlDesc change = Make(ControlKind::Button, key.ChangeButton(slot), frame, u"Modifica",
                            {2340, top, 795, 255}, firstTab);
  change.accessibleName = row + u": Modifica";
  out.push_back(change);
  ControlDesc reset = Make(ControlKind::Button, key.DefaultButton(slot), frame, u"Default",
                           {3180, top, 795, 255}, firstTab + 1);
  reset.accessibleName = row + u": Default";
  out.push_back(reset);
}

void AddKeyFrame(std::vector<ControlDesc>& out, const LockKey& key, int top, int tab) {
  const std::string frame = key.Frame().name;
  out.push_back(
      Make(ControlKind::Frame, key.Frame(), "", key.Name16(), {60, top, 4035, 1275}, tab));
  // The path texts and built-in pictures are state the window keeps, never shows.
  out.push_back(Make(ControlKind::TextBox, key.PathText(kOffSlot), frame, u"",
                     {3000, 180, 195, 285}, tab + 1, false));
  out.push_back(Make(ControlKind::TextBox, key.PathText(kOnSlot), frame, u"", {3180, 180, 195, 285},
                     tab + 2, false));
  for (int slot : {kOffSlot, kOnSlot}) {
    ControlDesc builtIn = Make(ControlKind::Image, key.BuiltInPicture(slot), frame, u"",
                               {slot == kOnSlot ? 3660 : 3420, 180, 240, 240}, -1, false);
    builtIn.picture = key.BuiltInResource(slot);
    out.push_back(builtIn);
  }
  ControlDesc show = Make(ControlKind::CheckBox, key.ShowBox(), frame, u"Visualizza stato",
                          {60, 240, 3135, 315}, tab + 3);
  show.value = 1;
  out.push_back(show);
  AddPictureRow(out, key, kOffSlot, 600, tab);
  AddPictureRow(out, key, kOnSlot, 900, tab);
}

WindowDesc BuildConfigWindow() {
  WindowDesc window;
  window.name = "frmMain";
  window.caption = u"Murvane - Configurazione";
  window.clientWidth = 5400;
  window.clientHeight = 4050;
  window.position = StartPosition::WindowsDefault;
  window.icon = "Murvane";
  AddKeyFrame(window.controls, KeyInfo(Key::CapsLock), 60, 0);
  AddKeyFrame(window.controls, KeyInfo(Key::NumLock), 1380, 10);
  AddKeyFrame(window.controls, KeyInfo(Key::ScrollLock), 2700, 20);
  ControlDesc apply =
      Make(ControlKind::Button, {"cmdApply"}, "", u"&Applica", {4140, 3180, 1215, 375}, 31);
  ControlDesc close =
      Make(ControlKind::Button, {"cmdClose"}, "", u"&Chiudi", {4140, 3600, 1215, 375}, 30);
  close.isCancel = true;  // Esc leaves the window the same way the close box does
  window.controls.push_back(apply);
  window.controls.push_back(close);
  ControlDesc timer = Make(ControlKind::Timer, {"Timer1"}, "", u"", {}, -1, false);
  timer.intervalMs = 100;
  window.controls.push_back(timer);
  window.menus.push_back({"mnuBar",
                          u"MenuBar",
                          {{"mnuExit", u"&Esci"},
                           {"mnuConfigure", u"&Configura..."},
                           {"mnuSeparator1", u"-"},
                           {"mnuAbout", u"&Su..."},
                           {"mnuSeparator2", u"-"},
                           {"mnuOnScreenDisplay", u"&Avviso a schermo"}}});
  return window;
}

}  // namespace

const WindowDesc& ConfigWindowLayout() {
  static const WindowDesc layout = BuildConfigWindow();
  return layout;
}

}  // namespace murvane
