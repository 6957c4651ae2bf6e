// The 88-byte record against Shell_NotifyIconA: its conversion to the shell's structure, the
// shell's answer to a repeated add, and the retry of adds the shell refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <map>

#include "platform/win32/notification_area_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

// A record as the program builds it: tip text, a NUL, blanks to 64 bytes.
NotifyIconBuffer Record(HWND window, std::uint32_t id, std::uint32_t icon, const std::string& tip) {
  NotifyIconBuffer record{};
  const std::uint32_t fields[] = {
      88,           static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)),
      id,           NIF_MESSAGE | NIF_ICON | NIF_TIP,
      WM_MOUSEMOVE, icon};
  std::memcpy(record.data(), fields, sizeof(fields));
  std::memset(record.data() + 24, ' ', 64);
  std::memcpy(record.data() + 24, tip.c_str(), tip.size() + 1);
  return record;
}

TEST(NotificationArea, RecordConvertsToTheShellStructureAndBack) {
  const NotifyIconBuffer record = Record(reinterpret_cast<HWND>(0x1234), 2, 0xABCD, "CapsLock On");
  const NOTIFYICONDATAA data = ToNotifyIconData(record);
  EXPECT_EQ(data.cbSize, 88u);
  EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(data.uID, 2u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(data.uCallbackMessage, kTrayCallbackMessage) << "not a pointer move";
  EXPECT_EQ(data.hIcon, reinterpret_cast<HICON>(0xABCD));
  EXPECT_EQ(std::memcmp(data.szTip, record.data() + 24, 64), 0);
  NotifyIconBuffer back{};
  FromNotifyIconData(data, back);
  EXPECT_EQ(back, record);
}

// The real shell (Wine's tray under Xvfb, or Explorer).
TEST(NotificationArea, AnAddRefusedForAPresentIconIsNotRetried) {
  test::HiddenWindow window;
  Win32NotificationArea tray;
  NotifyIconBuffer record = Record(window.hwnd, 1, 0, "NumLock status");
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record)) << "is a notification area running?";
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record)) << "the icon is already there";
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  EXPECT_TRUE(tray.Notify(NotifyMessage::Delete, record));
}

// A shell that refuses everything until its tray exists, as at logon.
struct FakeShell {
  bool ready = false;
  int adds = 0;
  std::map<std::pair<HWND, UINT>, NOTIFYICONDATAA> icons;

  BOOL operator()(DWORD message, NOTIFYICONDATAA& data) {
    const auto key = std::pair{data.hWnd, data.uID};
    adds += message == NIM_ADD;
    // An add needs the icon absent; a change or a delete needs it present.
    if (!ready || (message == NIM_ADD) == icons.contains(key)) return FALSE;
    if (message == NIM_DELETE) icons.erase(key);
    if (message != NIM_DELETE) icons[key] = data;
    return TRUE;
  }
};

// Three refused adds: one icon is then deleted, one lands late on its own, one gets a new
// picture while it waits. The rounds are run by hand; the window timer runs them only while
// messages are pumped, as at the end.
TEST(NotificationArea, RefusedAddsAreRetriedUntilEachIconIsThereOrDeleted) {
  test::HiddenWindow window;
  FakeShell shell;
  Win32NotificationArea tray{std::ref(shell), 20, 3};
  NotifyIconBuffer caps = Record(window.hwnd, 1, 0x50, "CapsLock status");
  NotifyIconBuffer num = Record(window.hwnd, 2, 0x60, "NumLock status");
  NotifyIconBuffer scroll = Record(window.hwnd, 3, 0x70, "ScrollLock status");
  for (NotifyIconBuffer* record : {&caps, &num, &scroll})
    EXPECT_FALSE(tray.Notify(NotifyMessage::Add, *record));
  tray.Notify(NotifyMessage::Delete, scroll);
  NotifyIconBuffer capsOn = Record(window.hwnd, 1, 0x51, "CapsLock status");
  tray.Notify(NotifyMessage::Modify, capsOn);
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 2u);
  shell.ready = true;
  shell.icons[{window.hwnd, 2}] = ToNotifyIconData(num);  // the late add did land
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  EXPECT_EQ(shell.icons.size(), 2u) << "no deleted icon, no second copy";
  EXPECT_EQ((shell.icons[{window.hwnd, 1}].hIcon), reinterpret_cast<HICON>(0x51))
      << "the newer picture";
  EXPECT_EQ(shell.adds, 3 + 2 + 2) << "no add once an icon is up";

  shell.ready = false;
  tray.Notify(NotifyMessage::Add, scroll);
  shell.ready = true;
  EXPECT_TRUE(test::PumpUntil([&] { return tray.RefusedAddsPending() == 0; }));
  EXPECT_EQ(shell.icons.size(), 3u);
}

// The taskbar is dark only where the personalisation says 0; absent means the light one.
TEST(NotificationArea, GroundIsDarkOnlyWhereSystemUsesLightThemeIsZero) {
  const wchar_t* const key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
  auto set = [&](DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"SystemUsesLightTheme", REG_DWORD, &value,
                    sizeof(value));
  };
  Win32NotificationArea tray;
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"SystemUsesLightTheme");
  EXPECT_FALSE(tray.GroundIsDark());
  set(0);
  EXPECT_TRUE(tray.GroundIsDark());
  set(1);
  EXPECT_FALSE(tray.GroundIsDark());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"SystemUsesLightTheme");
}

}  // namespace
}  // namespace murvane::win32
