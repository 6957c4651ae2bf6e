// What a screen reader finds in the program's windows under Wine. Wine's oleacc names a
// control by its window text and counts its child windows, but answers E_NOTIMPL to every
// annotation, so the names, descriptions and roles given that way are read from what the
// window told. What a sighted user sees is read from each control's top left pixel: the
// picture drawn inside its frame, the link's focus mark. The link is walked with the keys
// the message loop meets.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include "platform/win32/pictures_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

// What MSAA reports for the control's client object (name and number of children), the
// name, description and role the window annotated, and "ink" when its corner is drawn.
std::wstring Reading(const Win32Window& window, HWND control) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_PPV_ARGS(&object));
  BSTR name = nullptr;
  long children = -1;
  VARIANT self{{{VT_I4, 0, 0, 0, {}}}};  // CHILDID_SELF
  if (object && object->get_accName(self, &name) == S_OK) object->get_accChildCount(&children);
  const Notes told = window.ScreenReaderNotes().Told(control);
  std::wstring read = (name ? name : L"-") + (L"/" + std::to_wstring(children));
  read += Wide(u" " + told.name + u"|" + told.description + u"|") + std::to_wstring(told.role);
  UpdateWindow(control);
  HDC dc = GetDC(control);
  read += GetPixel(dc, 0, 0) != GetSysColor(COLOR_BTNFACE) ? L" ink" : L"";
  ReleaseDC(control, dc);
  SysFreeString(name);
  if (object) object->Release();
  return read;
}

TEST(ScreenReader, ControlsReadWithTheirFrameRowAndFileAndTheLinkOpensByKeys) {
  test::RecordingEvents events;
  Win32Window window(ConfigWindowLayout(), events, {});
  Win32Window about(AboutWindowLayout(), events, {});
  window.Update({"txtNumLockIconPath", 1}, {u"C:\\a.ico", 0, nullptr, {}});
  window.Update({"imgCurNumLockIcon", 1}, {u"", 0, LoadBuiltInIcon("CapsLock.on", 16), {}});
  window.Show();
  about.Show();
  const std::tuple<const Win32Window&, ControlId, std::wstring> rows[] = {
      {window, {}, L"Murvane - Configurazione/5 ||18"},  // ROLE_SYSTEM_DIALOG
      {window, {"fraCapsLock"}, L"CapsLock/13 ||0"},
      {window,
       {"imgCurNumLockIcon", 1},
       L"NumLock, icona stato attivo/0 NumLock, icona stato attivo|C:\\a.ico|40 ink"},
      {window, {"cmdScrollLockIconChange", 1}, L"Modifica/0 Icona stato attivo: Modifica||0 ink"},
      {about, {"lblLink"}, Wide(kMakerWebHost) + L"/0 ||30"},  // ROLE_SYSTEM_LINK
  };
  for (const auto& [owner, id, expected] : rows) {
    HWND hwnd = id.name.empty() ? owner.Hwnd() : owner.ControlWindow(id);
    EXPECT_EQ(Reading(owner, hwnd), expected) << test::RecordingEvents::Name(id);
  }
  // Tab walks into the frames: the first control of the window is the first in CapsLock's.
  EXPECT_EQ(GetNextDlgTabItem(window.Hwnd(), nullptr, 0), window.ControlWindow({"chkCapsLock"}));
  // About opens on OK; Tab reaches the link, marked while focused, which Enter and Space
  // open as a click does; Enter on OK still presses OK.
  const std::tuple<WPARAM, std::string, int> steps[] = {
      {0, "cmdOK", 0},          {VK_TAB, "lblLink", 0}, {VK_RETURN, "lblLink", 1},
      {VK_SPACE, "lblLink", 1}, {VK_TAB, "cmdOK", 0},   {VK_RETURN, "cmdOK", 1}};
  for (const auto& [key, focus, clicks] : steps) {
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (key) Win32WindowSystem::PreTranslate(message);
    EXPECT_EQ(GetFocus(), about.ControlWindow({focus})) << key;
    EXPECT_EQ(events.log, std::vector<std::string>(clicks, "click " + focus)) << key;
    events.log.clear();
    EXPECT_EQ(Reading(about, about.ControlWindow({"lblLink"})).ends_with(L"ink"),
              focus == "lblLink");
  }
}

}  // namespace
}  // namespace murvane::win32
