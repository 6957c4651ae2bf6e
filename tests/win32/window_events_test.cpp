// What a native window reports to the program, and what the program's requests
// do to it: clicks, keys, pointer, timer, close and logoff, tray messages, menus,
// the warning box and the task list.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/notification_area_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/sample_layout.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

class WindowEvents : public ::testing::Test {
 protected:
  WindowDesc layout = test::SampleLayout();
  test::RecordingEvents events;
  Win32WindowSystem system;
  std::unique_ptr<NativeWindow> native = system.CreateNativeWindow(layout, events);
  HWND hwnd = static_cast<Win32Window&>(*native).Hwnd();

  HWND Child(const char* name, int index = -1) {
    return static_cast<Win32Window&>(*native).ControlWindow({name, index});
  }

  // A key as the message loop would meet it, given to the program's key handling.
  bool PressKey(HWND target, WPARAM key) {
    MSG message{target, WM_KEYDOWN, key, 0, 0, {}};
    return Win32WindowSystem::PreTranslate(message);
  }
};

TEST_F(WindowEvents, ButtonClickReportsTheButton) {
  native->Show();
  SendMessageW(Child("cmdCapsLockDefaultIcon", 0), BM_CLICK, 0, 0);
  ASSERT_EQ(events.clicks.size(), 1u);
  EXPECT_EQ(events.clicks[0], (ControlId{"cmdCapsLockDefaultIcon", 0}));
}

TEST_F(WindowEvents, CheckBoxClickLeavesTheValueToTheProgram) {
  native->Show();
  HWND box = Child("chkCapsLock");
  ASSERT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "ticked in the layout";
  SendMessageW(box, BM_CLICK, 0, 0);
  ASSERT_EQ(events.checkBoxClicks.size(), 1u);
  EXPECT_EQ(events.checkBoxClicks[0], ControlId{"chkCapsLock"});
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "unchanged until told";
  native->Update({"chkCapsLock"}, ControlView{u"Visualizza stato", 0, nullptr, {}});
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(WindowEvents, LabelClickReportsTheLabel) {
  native->Show();
  HWND link = Child("lblLink");
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_FALSE(events.clicks.empty());
  EXPECT_EQ(events.clicks[0], ControlId{"lblLink"});
}

TEST_F(WindowEvents, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  native->Show();
  HWND box = Child("chkCapsLock");
  SetFocus(box);
  EXPECT_TRUE(PressKey(box, VK_RETURN));
  EXPECT_TRUE(PressKey(box, VK_ESCAPE));
  const std::vector<ControlId> expected = {{"cmdApply"}, {"cmdClose"}};
  EXPECT_EQ(events.clicks, expected);
}

TEST_F(WindowEvents, EnterOnAFocusedButtonPressesThatButton) {
  native->Show();
  HWND change = Child("cmdCapsLockIconChange", 0);
  SetFocus(change);
  EXPECT_TRUE(PressKey(change, VK_RETURN));
  EXPECT_EQ(events.clicks, (std::vector<ControlId>{ControlId{"cmdCapsLockIconChange", 0}}));
}

TEST_F(WindowEvents, KeysOfOtherWindowsAreLeftAlone) {
  test::HiddenWindow other;
  EXPECT_FALSE(PressKey(other.Get(), VK_RETURN));
  EXPECT_TRUE(events.clicks.empty());
}

TEST_F(WindowEvents, CloseBoxAsksWithTheUserReason) {
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(events.closeRequests, std::vector<int>{kUnloadByUser});
  EXPECT_TRUE(IsWindow(hwnd)) << "the program kept it";
}

TEST_F(WindowEvents, LogoffAsksWithTheSystemReason) {
  EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(events.closeRequests.empty()) << "a logoff that was called off";
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(events.closeRequests, std::vector<int>{kUnloadBySystem});
}

TEST_F(WindowEvents, ProgramMayDestroyTheWindowInsideItsEvents) {
  native->Show();
  events.onClick = [&] { native.reset(); };
  SendMessageW(Child("cmdClose"), BM_CLICK, 0, 0);
  EXPECT_EQ(native, nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  test::PumpPending();
}

TEST_F(WindowEvents, CloseThatUnloadsDestroysTheWindow) {
  events.onClose = [&](int) {
    native.reset();
    return true;
  };
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  test::PumpPending();
}

TEST_F(WindowEvents, TrayCallbackArrivesAsItsOwnEvent) {
  SendMessageW(hwnd, kTrayCallbackMessage, 2, WM_RBUTTONUP);
  using Callback = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(events.trayCallbacks, (std::vector<Callback>{{2u, WM_RBUTTONUP}}));
  EXPECT_TRUE(events.pointerMoves.empty());
}

TEST_F(WindowEvents, PointerMoveIsNeverATrayCallback) {
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(WM_RBUTTONUP, 10));
  EXPECT_TRUE(events.trayCallbacks.empty());
  EXPECT_EQ(events.pointerMoves, std::vector<ControlId>{ControlId{}}) << "the window background";
}

TEST_F(WindowEvents, PointerOverAControlNamesTheControl) {
  SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(Child("lblLink")),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(Child("lblLink")),
               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(events.pointerMoves, std::vector<ControlId>{ControlId{"lblLink"}});
}

TEST_F(WindowEvents, RestartedTaskbarReachesTheHiddenWindow) {
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  DWORD_PTR ignored;
  SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
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

TEST_F(WindowEvents, UpdateShowsTextAndColour) {
  native->Update({"lblLink"}, ControlView{u"www.polden.example", 0, nullptr, Rgb(0, 255, 0)});
  wchar_t text[64];
  GetWindowTextW(Child("lblLink"), text, 64);
  EXPECT_STREQ(text, L"www.polden.example");
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Child("lblLink")));
  EXPECT_EQ(GetTextColor(dc), Rgb(0, 255, 0));
  DeleteDC(dc);
}

TEST_F(WindowEvents, ShownPictureIsHeldUntilReplacedOrTheWindowGoes) {
  Win32PictureSource pictures;
  PicturePtr picture = pictures.LoadResource("CapsLock.on");
  native->Update({"imgCurCapsLockIcon", 0}, ControlView{u"", 0, picture, {}});
  EXPECT_EQ(picture.use_count(), 2);
  native->Update({"imgCurCapsLockIcon", 0}, ControlView{u"", 0, nullptr, {}});
  EXPECT_EQ(picture.use_count(), 1);
  native->Update({"imgCurCapsLockIcon", 0}, ControlView{u"", 0, picture, {}});
  native.reset();
  EXPECT_EQ(picture.use_count(), 1);
}

TEST_F(WindowEvents, ShowHideAndCaption) {
  native->Show();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  native->SetCaption(u"Informazioni su Murvane");
  wchar_t caption[64];
  GetWindowTextW(hwnd, caption, 64);
  EXPECT_STREQ(caption, L"Informazioni su Murvane");
  native->Hide();
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(native->Handle(), static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd)));
}

// The pop-up menu, driven with the keys a user would press.
std::string ChooseWithKeys(NativeWindow& window, const MenuDesc& menu,
                           const std::vector<WPARAM>& keys, bool* separatorSeen = nullptr) {
  return test::WithWindow<std::string>(
      test::kMenuClass, [&] { return window.PopupMenu(menu); },
      [&](HWND popup) {
        if (separatorSeen) {
          auto handle = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
          *separatorSeen = GetMenuState(handle, 2, MF_BYPOSITION) & MF_SEPARATOR;
        }
        for (WPARAM key : keys) PostMessageW(popup, WM_KEYDOWN, key, 0);
      });
}

TEST_F(WindowEvents, PopupMenuAnswersTheChosenItem) {
  const MenuDesc& menu = layout.menus[0];
  bool separator = false;
  EXPECT_EQ(ChooseWithKeys(*native, menu, {VK_DOWN, VK_DOWN, VK_RETURN}, &separator),
            "mnuConfigure");
  EXPECT_TRUE(separator) << "\"-\" is drawn as a separator";
  EXPECT_EQ(ChooseWithKeys(*native, menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), "mnuAbout")
      << "the separator is skipped";
  EXPECT_EQ(ChooseWithKeys(*native, menu, {VK_ESCAPE}), "");
}

TEST_F(WindowEvents, WarningShowsTextAndCaptionWithOneButton) {
  std::wstring caption, text;
  bool hasCancel = true;
  test::WithDialog<int>(
      [&] {
        system.ShowWarning(native->Handle(), u"Occorre visualizzare almeno un'icona!", u"Murvane");
        return 0;
      },
      [&](HWND box) {
        wchar_t buffer[128] = {};
        GetWindowTextW(box, buffer, 128);
        caption = buffer;
        GetDlgItemTextW(box, 0xFFFF, buffer, 128);  // the message box's text control
        text = buffer;
        hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      });
  EXPECT_EQ(caption, L"Murvane");
  EXPECT_EQ(text, L"Occorre visualizzare almeno un'icona!");
  EXPECT_FALSE(hasCancel);
}

TEST_F(WindowEvents, TaskListShowsTheWindowsOnlyWhileAsked) {
  auto listed = [&] { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0; };
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), system.Owner()) << "owned windows are unlisted by default";
  EXPECT_FALSE(IsWindowVisible(system.Owner()));
  EXPECT_FALSE(listed());
  native->Show();
  system.SetTaskListVisible(true);
  EXPECT_TRUE(listed());
  EXPECT_TRUE(IsWindowVisible(hwnd));
  native->Hide();
  system.SetTaskListVisible(false);
  EXPECT_FALSE(listed());
  EXPECT_FALSE(IsWindowVisible(hwnd)) << "a hidden window stays hidden";
}

TEST_F(WindowEvents, WindowMadeWhileListedIsListed) {
  system.SetTaskListVisible(true);
  test::RecordingEvents otherEvents;
  auto other = system.CreateNativeWindow(layout, otherEvents);
  EXPECT_TRUE(GetWindowLongPtrW(static_cast<Win32Window&>(*other).Hwnd(), GWL_EXSTYLE) &
              WS_EX_APPWINDOW);
}

}  // namespace
}  // namespace murvane::win32
