// What a native window reports to the program: clicks, keys, close and logoff, pointer and
// tray messages, the warning box, the pop-up menu's choice. Left to scripts/e2e: timer ticks,
// the tray menu's accelerators, Enter on About, and Chiudi leaving the window hidden as it
// leaves the task list.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/notification_area_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

using Log = std::vector<std::string>;

class WindowEvents : public ::testing::Test {
 protected:
  test::RecordingEvents events;
  Win32WindowSystem system{[this] { events.log.push_back("repick"); }};
  std::unique_ptr<NativeWindow> native = system.CreateNativeWindow(ConfigWindowLayout(), events);
  HWND hwnd = static_cast<Win32Window&>(*native).Hwnd();

  HWND Child(const char* name, int index = -1) {
    return static_cast<Win32Window&>(*native).ControlWindow({name, index});
  }
  // A key as the message loop would meet it, given to the program's key handling.
  static bool PressKey(HWND target, WPARAM key) {
    MSG message{target, WM_KEYDOWN, key, 0, 0, {}};
    return Win32WindowSystem::PreTranslate(message);
  }
};

// A check box's click leaves its value to the program. Enter presses the focused button
// (the window has no default one), Esc the cancel button; keys of other windows are left
// alone. The program may destroy a window inside the window's own event.
TEST_F(WindowEvents, ClicksAndKeysReportTheControlAndMayDestroyTheWindow) {
  native->Show();
  HWND box = Child("chkCapsLock");
  ASSERT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "ticked in the layout";
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "unchanged until told";
  native->Update({"chkCapsLock"}, ControlView{u"Visualizza stato", 0, nullptr, {}});
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SetFocus(box);
  PressKey(box, VK_RETURN);
  EXPECT_TRUE(PressKey(box, VK_ESCAPE));
  SetFocus(Child("cmdCapsLockDefaultIcon", 0));
  EXPECT_TRUE(PressKey(Child("cmdCapsLockDefaultIcon", 0), VK_RETURN));
  test::HiddenWindow other;
  EXPECT_FALSE(PressKey(other.hwnd, VK_RETURN));
  const auto about = system.CreateNativeWindow(AboutWindowLayout(), events);
  HWND link = static_cast<Win32Window&>(*about).ControlWindow({"lblLink"});
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  events.onClick = [&] { native.reset(); };
  SendMessageW(Child("cmdClose"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd)) << "destroyed inside its own event";
  test::PumpUntil([] { return false; }, 100);
  EXPECT_EQ(events.log,
            (Log{"check chkCapsLock", "click cmdClose", "click cmdCapsLockDefaultIcon(0)",
                 "click lblLink", "click cmdClose"}));
}

// The tray's callback must never pass for a pointer move, nor the other way round; only a
// switch between light and dark says the tray's ground may have changed. A new scale comes
// with TaskbarCreated: the tray's pictures are picked again before the icons come back.
TEST_F(WindowEvents, EachWindowMessageBecomesItsOwnEvent) {
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd)) << "the program kept it";
  EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // called off: no request
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  SendMessageW(hwnd, kTrayCallbackMessage, 2, WM_RBUTTONUP);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 10));
  DWORD_PTR ignored;  // a restarted taskbar reaches the hidden window
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  SendMessageW(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
  SendMessageW(hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
  SendMessageW(hwnd, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  SendMessageW(hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  EXPECT_EQ(events.log, (Log{"close " + std::to_string(kUnloadByUser),
                             "close " + std::to_string(kUnloadBySystem), "tray 2 517", "move ",
                             "repick", "recreated", "repick", "repick", "ground"}));
}

// What the warning box shows as it opens, seen by a hook: each visible control's text, "!"
// for the exclamation icon. The box is then answered.
std::vector<std::wstring> warningSeen;

BOOL CALLBACK LookAtControl(HWND control, LPARAM) {
  // Not shown yet as the box activates: the controls' own style says what will show.
  if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE)) return TRUE;
  wchar_t text[128] = {};
  GetWindowTextW(control, text, 128);
  const HICON exclamation = LoadIconW(nullptr, MAKEINTRESOURCEW(32515));  // IDI_EXCLAMATION
  const bool shows = SendMessageW(control, STM_GETICON, 0, 0) == LRESULT(exclamation);
  warningSeen.push_back(shows ? L"!" : text);
  return TRUE;
}

LRESULT CALLBACK OnWindowActivated(int code, WPARAM wParam, LPARAM lParam) {
  const auto box = reinterpret_cast<HWND>(wParam);
  wchar_t kind[16] = {};
  // The dialog class; its owner activates too.
  if (code == HCBT_ACTIVATE && GetClassNameW(box, kind, 16) && !lstrcmpW(kind, L"#32770")) {
    EnumChildWindows(box, &LookAtControl, 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One button, OK: a Cancel would promise a way back that the program does not have.
TEST_F(WindowEvents, WarningBoxHasOnlyAnOkButtonAndTheExclamationIcon) {
  const std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> hook{
      SetWindowsHookExW(WH_CBT, &OnWindowActivated, nullptr, GetCurrentThreadId()),
      &UnhookWindowsHookEx};
  system.ShowWarning(native->Handle(), u"Occorre visualizzare almeno un'icona!", u"Murvane");
  std::ranges::sort(warningSeen);
  EXPECT_EQ(warningSeen,
            (std::vector<std::wstring>{L"!", L"OK", L"Occorre visualizzare almeno un'icona!"}));
}

TEST_F(WindowEvents, PopupMenuAnswersTheChosenItem) {
  // Keys as a user would press them, waiting for the menu; the arrows skip the separator.
  auto choose = [&](std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) PostMessageW(hwnd, WM_KEYDOWN, key, 0);
    return native->PopupMenu(ConfigWindowLayout().menus[0]);
  };
  EXPECT_EQ(choose({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), "mnuAbout");
  EXPECT_EQ(choose({VK_ESCAPE}), "");
}

}  // namespace
}  // namespace murvane::win32
