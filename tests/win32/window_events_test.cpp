// What a native window reports to the program: clicks, keys, close and logoff, pointer and
// tray messages, and a handler's fault. Left to scripts/e2e: timer ticks, the tray menu and
// its choices, a second start, Enter on About, and Chiudi leaving the window hidden as it
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

// A throw inside a window procedure ends the loop with a code, never an abort; a program
// that had asked to end still ends with 0.
TEST_F(WindowEvents, AnExceptionInAHandlerEndsTheLoopWithACode) {
  events.onClick = [] { throw std::runtime_error("a handler's fault"); };
  SendMessageW(Child("cmdApply"), BM_CLICK, 0, 0);
  EXPECT_TRUE(Faulted());
  EXPECT_EQ(system.RunMessageLoop(), kExitAfterFault);
  Win32WindowSystem ending;
  ending.Quit();
  NoteFault();
  EXPECT_EQ(ending.RunMessageLoop(), 0);
}

}  // namespace
}  // namespace murvane::win32
