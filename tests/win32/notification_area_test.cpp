// The 88-byte record against Shell_NotifyIconA: its conversion to the shell's structure, the
// shell's answers, and the retry of adds the shell refused.
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
class NotificationAreaShell : public ::testing::Test {
 protected:
  test::HiddenWindow window;
  Win32NotificationArea tray;

  void TearDown() override {
    NotifyIconBuffer record = Record(window.hwnd, 1, 0, "");
    tray.Notify(NotifyMessage::Delete, record);
  }
};

TEST_F(NotificationAreaShell, AnswersLikeTheShell) {
  NotifyIconBuffer record = Record(window.hwnd, 1, 0, "NumLock status");
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record)) << "is a notification area running?";
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record)) << "the icon is already there";
  EXPECT_EQ(tray.RefusedAddsPending(), 0u) << "an add refused for a present icon is not retried";
  EXPECT_TRUE(tray.Notify(NotifyMessage::Modify, record));
  EXPECT_TRUE(tray.Notify(NotifyMessage::Delete, record));
  EXPECT_FALSE(tray.Notify(NotifyMessage::Modify, record)) << "no such icon any more";
  EXPECT_FALSE(tray.Notify(NotifyMessage::Delete, record));
}

TEST_F(NotificationAreaShell, TipCharacterTheCodePageLacksComesBackAsQuestionMark) {
  Win32AnsiCodePage ansi;
  NotifyIconBuffer record = Record(window.hwnd, 1, 0, ansi.ToAnsi(u"Caps \u2603 On"));
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  EXPECT_EQ(ansi.FromAnsi(reinterpret_cast<const char*>(record.data() + 24)), u"Caps ? On");
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

class NotificationAreaRetry : public ::testing::Test {
 protected:
  test::HiddenWindow window;
  FakeShell shell;
  // A long interval: these tests run the retry rounds themselves.
  Win32NotificationArea tray{std::ref(shell), 60000, 3};
  NotifyIconBuffer record = Record(window.hwnd, 1, 0x50, "CapsLock status");
};

TEST_F(NotificationAreaRetry, RefusedAddIsRetriedUntilTakenAndNeverAgain) {
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record));
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 1u);
  shell.ready = true;
  tray.RetryRefusedAdds();
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  EXPECT_EQ(shell.icons.size(), 1u);
  EXPECT_EQ(shell.adds, 3) << "no add once the icon is up";
}

TEST_F(NotificationAreaRetry, IconThatAppearedMeanwhileEndsTheRetry) {
  tray.Notify(NotifyMessage::Add, record);
  shell.ready = true;
  shell.icons[{window.hwnd, 1}] = ToNotifyIconData(record);  // the late add did land
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
}

TEST_F(NotificationAreaRetry, DeletedIconNeverComesBack) {
  tray.Notify(NotifyMessage::Add, record);
  tray.Notify(NotifyMessage::Delete, record);
  shell.ready = true;
  tray.RetryRefusedAdds();
  EXPECT_TRUE(shell.icons.empty());
}

TEST(NotificationAreaRetryTimer, TheWindowTimerRetriesWithoutHelp) {
  test::HiddenWindow window;
  FakeShell shell;
  Win32NotificationArea tray(std::ref(shell), 20, 100);
  NotifyIconBuffer record = Record(window.hwnd, 1, 0, "NumLock status");
  tray.Notify(NotifyMessage::Add, record);
  shell.ready = true;
  EXPECT_TRUE(test::PumpUntil([&] { return tray.RefusedAddsPending() == 0; }));
  EXPECT_EQ(shell.icons.size(), 1u);
}

}  // namespace
}  // namespace murvane::win32
