// What a native window reports to the program, and what the program's requests do to it:
// clicks, keys, close and logoff, pointer and tray messages, the timer, the pop-up menu, the
// warning box and the task list.
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
  // The About window, whose OK button is both the default and the cancel button.
  test::RecordingEvents aboutEvents;
  std::unique_ptr<NativeWindow> about = system.CreateNativeWindow(AboutWindowLayout(), aboutEvents);
  HWND AboutChild(const char* name) {
    return static_cast<Win32Window&>(*about).ControlWindow({name});
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
  about->Show();
  SendMessageW(AboutChild("lblLink"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(AboutChild("lblLink"), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
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
  about->Show();
  const HWND aboutWindow = static_cast<Win32Window&>(*about).Hwnd();
  EXPECT_TRUE(PressKey(aboutWindow, VK_RETURN));
  EXPECT_TRUE(PressKey(aboutWindow, VK_ESCAPE));
  EXPECT_EQ(aboutEvents.clicks, (std::vector<ControlId>{{"cmdOK"}, {"cmdOK"}}));
}

TEST_F(WindowEvents, CloseBoxAndLogoffAskWithTheirOwnReasons) {
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd)) << "the program kept it";
  EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // called off: no request
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(events.closeRequests, (std::vector<int>{kUnloadByUser, kUnloadBySystem}));
}

TEST_F(WindowEvents, TrayCallbackAndPointerMoveStayApart) {
  SendMessageW(hwnd, kTrayCallbackMessage, 2, WM_RBUTTONUP);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 10));
  using Callback = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(events.trayCallbacks, (std::vector<Callback>{{2u, WM_RBUTTONUP}}));
  EXPECT_EQ(events.pointerMoves, std::vector<ControlId>{ControlId{}}) << "the window background";
}

TEST_F(WindowEvents, RestartedTaskbarReachesTheHiddenWindow) {
  DWORD_PTR ignored;
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_EQ(events.trayRecreated, 1);
}

TEST_F(WindowEvents, TimerTicksUntilTheWindowGoes) {
  ASSERT_TRUE(test::PumpUntil([&] { return events.timers.size() >= 2; }));
  EXPECT_EQ(events.timers[0], ControlId{"Timer1"});
  native.reset();
  const std::size_t ticks = events.timers.size();
  test::PumpUntil([] { return false; }, 200);
  EXPECT_EQ(events.timers.size(), ticks);
}

TEST_F(WindowEvents, PopupMenuAnswersTheChosenItem) {
  // Keys as a user would press them; "-" is a separator, which the arrows skip.
  auto choose = [&](std::vector<WPARAM> keys) {
    return test::WithWindow(
        L"#32768", [&] { return native->PopupMenu(layout.menus[0]); },
        [keys](HWND popup) {
          for (WPARAM key : keys) PostMessageW(popup, WM_KEYDOWN, key, 0);
        });
  };
  EXPECT_EQ(choose({VK_DOWN, VK_DOWN, VK_RETURN}), "mnuConfigure");
  EXPECT_EQ(choose({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), "mnuAbout");
  EXPECT_EQ(choose({VK_ESCAPE}), "");
}

TEST_F(WindowEvents, WarningShowsTextAndCaptionWithOneButton) {
  wchar_t caption[32] = {}, text[64] = {};
  bool hasCancel = true;
  test::WithWindow(
      L"#32770",
      [&] {
        system.ShowWarning(native->Handle(), u"Occorre visualizzare almeno un'icona!", u"Murvane");
        return 0;
      },
      [&](HWND box) {
        GetWindowTextW(box, caption, 32);
        GetDlgItemTextW(box, 0xFFFF, text, 64);  // the message box's text control
        hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      });
  EXPECT_STREQ(caption, L"Murvane");
  EXPECT_STREQ(text, L"Occorre visualizzare almeno un'icona!");
  EXPECT_FALSE(hasCancel);
}

TEST_F(WindowEvents, TaskListShowsTheWindowsOnlyWhileAsked) {
  auto listed = [&] { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0; };
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), system.Owner()) << "owned windows are unlisted by default";
  EXPECT_FALSE(listed());
  native->Show();
  system.SetTaskListVisible(true);
  EXPECT_TRUE(listed());
  native->Hide();
  system.SetTaskListVisible(false);
  EXPECT_FALSE(listed());
  EXPECT_FALSE(IsWindowVisible(hwnd)) << "a hidden window stays hidden";
}

}  // namespace
}  // namespace murvane::win32
