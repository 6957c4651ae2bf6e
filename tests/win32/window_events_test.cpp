// What a native window reports to the program: clicks, keys, close and logoff, pointer and
// tray messages, the pop-up menu's choice. Left to scripts/e2e: timer ticks, the tray menu's
// accelerators, Enter on About, and Chiudi leaving the window hidden as it leaves the task list.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/notification_area_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

class WindowEvents : public ::testing::Test {
 protected:
  const WindowDesc& layout = ConfigWindowLayout();
  test::RecordingEvents events;
  Win32WindowSystem system;
  std::unique_ptr<NativeWindow> native = system.CreateNativeWindow(layout, events);
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

TEST_F(WindowEvents, ClicksReportTheControlAndMayDestroyTheWindow) {
  native->Show();
  SendMessageW(Child("cmdCapsLockDefaultIcon", 0), BM_CLICK, 0, 0);
  ASSERT_EQ(events.clicks, (std::vector<ControlId>{{"cmdCapsLockDefaultIcon", 0}}));
  test::RecordingEvents aboutEvents;
  const auto about = system.CreateNativeWindow(AboutWindowLayout(), aboutEvents);
  HWND link = static_cast<Win32Window&>(*about).ControlWindow({"lblLink"});
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(aboutEvents.clicks, std::vector<ControlId>{ControlId{"lblLink"}}) << "a label";
  events.onClick = [&] { native.reset(); };
  SendMessageW(Child("cmdClose"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd)) << "destroyed inside its own event";
  test::PumpUntil([] { return false; }, 100);
}

TEST_F(WindowEvents, CheckBoxClickLeavesTheValueToTheProgram) {
  native->Show();
  HWND box = Child("chkCapsLock");
  ASSERT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "ticked in the layout";
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(events.checkBoxClicks, std::vector<ControlId>{ControlId{"chkCapsLock"}});
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "unchanged until told";
  native->Update({"chkCapsLock"}, ControlView{u"Visualizza stato", 0, nullptr, {}});
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(WindowEvents, EnterPressesTheFocusedOrDefaultButtonAndEscTheCancelButton) {
  native->Show();
  SetFocus(Child("chkCapsLock"));
  PressKey(Child("chkCapsLock"), VK_RETURN);  // the window has no default button
  EXPECT_TRUE(PressKey(Child("chkCapsLock"), VK_ESCAPE));
  SetFocus(Child("cmdCapsLockDefaultIcon", 0));
  EXPECT_TRUE(PressKey(Child("cmdCapsLockDefaultIcon", 0), VK_RETURN)) << "a focused button";
  test::HiddenWindow other;
  EXPECT_FALSE(PressKey(other.hwnd, VK_RETURN)) << "keys of other windows are left alone";
  EXPECT_EQ(events.clicks, (std::vector<ControlId>{{"cmdClose"}, {"cmdCapsLockDefaultIcon", 0}}));
}

TEST_F(WindowEvents, EachWindowMessageBecomesItsOwnEvent) {
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd)) << "the program kept it";
  EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // called off: no request
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(events.closeRequests, (std::vector<int>{kUnloadByUser, kUnloadBySystem}));
  // The tray's callback must never pass for a pointer move, nor the other way round.
  SendMessageW(hwnd, kTrayCallbackMessage, 2, WM_RBUTTONUP);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 10));
  using Callback = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(events.trayCallbacks, (std::vector<Callback>{{2u, WM_RBUTTONUP}}));
  EXPECT_EQ(events.pointerMoves, std::vector<ControlId>{ControlId{}}) << "the window background";
  DWORD_PTR ignored;  // a restarted taskbar reaches the hidden window
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_EQ(events.trayRecreated, 1);
  // A switch between light and dark, and only that, says the tray's ground may have changed.
  SendMessageW(hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
  SendMessageW(hwnd, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
  SendMessageW(hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  EXPECT_EQ(events.trayGroundChanged, 1);
}

// What the warning box shows, seen by a hook as it opens; the box is then answered.
struct WarningSeen {
  int buttons = 0;  // visible push buttons
  bool okButton = false;
  bool exclamation = false;
  std::wstring text;
};
WarningSeen warningSeen;

BOOL CALLBACK LookAtControl(HWND control, LPARAM) {
  wchar_t kind[16] = {};
  GetClassNameW(control, kind, 16);
  // The box is not shown yet as it activates: its controls' own style says what will show.
  if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE)) return TRUE;
  if (lstrcmpiW(kind, L"Button") == 0) {
    ++warningSeen.buttons;
    warningSeen.okButton = warningSeen.okButton || GetDlgCtrlID(control) == IDOK;
  } else if (lstrcmpiW(kind, L"Static") == 0) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    const HICON exclamation = LoadIconW(nullptr, MAKEINTRESOURCEW(32515));  // IDI_EXCLAMATION
    if (icon && icon == exclamation) warningSeen.exclamation = true;
    wchar_t text[128] = {};
    GetWindowTextW(control, text, 128);
    if (text[0]) warningSeen.text = text;
  }
  return TRUE;
}

LRESULT CALLBACK OnWindowActivated(int code, WPARAM wParam, LPARAM lParam) {
  wchar_t kind[16] = {};
  if (code == HCBT_ACTIVATE && GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 16) &&
      lstrcmpW(kind, L"#32770") == 0) {  // the dialog class; its owner activates too
    const auto box = reinterpret_cast<HWND>(wParam);
    warningSeen = {};
    EnumChildWindows(box, &LookAtControl, 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Exactly one button, OK, and the exclamation icon: a Cancel would promise a way back
// that the program does not have.
TEST_F(WindowEvents, WarningBoxHasOnlyAnOkButtonAndTheExclamationIcon) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, &OnWindowActivated, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  system.ShowWarning(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd)),
                     u"Occorre visualizzare almeno un'icona!", u"Murvane");
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(warningSeen.buttons, 1);
  EXPECT_TRUE(warningSeen.okButton);
  EXPECT_TRUE(warningSeen.exclamation);
  EXPECT_EQ(warningSeen.text, L"Occorre visualizzare almeno un'icona!");
}

TEST_F(WindowEvents, PopupMenuAnswersTheChosenItem) {
  // Keys as a user would press them, waiting for the menu; the arrows skip the separator.
  auto choose = [&](std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) PostMessageW(hwnd, WM_KEYDOWN, key, 0);
    return native->PopupMenu(layout.menus[0]);
  };
  EXPECT_EQ(choose({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), "mnuAbout");
  EXPECT_EQ(choose({VK_ESCAPE}), "");
}

}  // namespace
}  // namespace murvane::win32
