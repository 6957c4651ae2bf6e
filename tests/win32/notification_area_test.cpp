// The 88-byte record against Shell_NotifyIconA: its conversion to the shell's
// structure, the shell's answers, and the retry of adds the shell refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>

#include "platform/win32/notification_area_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

void Put(NotifyIconBuffer& record, std::size_t offset, std::uint32_t value) {
  std::memcpy(record.data() + offset, &value, 4);
}

std::uint32_t Get(const NotifyIconBuffer& record, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, record.data() + offset, 4);
  return value;
}

// A record as the program builds it: tip text, a NUL, blanks to 64 bytes.
NotifyIconBuffer Record(HWND window, std::uint32_t id, std::uint32_t icon, const std::string& tip,
                        std::uint32_t callback = WM_MOUSEMOVE) {
  NotifyIconBuffer record{};
  Put(record, 0, 88);
  Put(record, 4, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)));
  Put(record, 8, id);
  Put(record, 12, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  Put(record, 16, callback);
  Put(record, 20, icon);
  std::memset(record.data() + 24, ' ', 64);
  std::memcpy(record.data() + 24, tip.c_str(), tip.size() + 1);
  return record;
}

std::string Tip(const NotifyIconBuffer& record) {
  return std::string(reinterpret_cast<const char*>(record.data() + 24));
}

TEST(NotificationAreaRecord, FieldsReachTheShellStructure) {
  const NotifyIconBuffer record = Record(reinterpret_cast<HWND>(0x1234), 2, 0xABCD, "CapsLock On");
  const NOTIFYICONDATAA data = ToNotifyIconData(record);
  EXPECT_EQ(data.cbSize, 88u);
  EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(data.uID, 2u);
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(data.hIcon, reinterpret_cast<HICON>(0xABCD));
  EXPECT_EQ(0, std::memcmp(data.szTip, record.data() + 24, 64));
  EXPECT_STREQ(data.szTip, "CapsLock On");
}

TEST(NotificationAreaRecord, PointerMoveCallbackIsRegisteredAsThePrivateMessage) {
  EXPECT_EQ(ToNotifyIconData(Record(nullptr, 1, 0, "")).uCallbackMessage, kTrayCallbackMessage);
  EXPECT_EQ(ToNotifyIconData(Record(nullptr, 1, 0, "", 0x8001)).uCallbackMessage, 0x8001u);
}

TEST(NotificationAreaRecord, ConvertsBackUnchanged) {
  const NotifyIconBuffer record = Record(reinterpret_cast<HWND>(0x1234), 3, 77, "ScrollLock Off");
  NotifyIconBuffer back{};
  FromNotifyIconData(ToNotifyIconData(record), back);
  EXPECT_EQ(back, record);
  EXPECT_EQ(Get(back, 16), static_cast<std::uint32_t>(WM_MOUSEMOVE));
}

// The real shell (Wine's tray under Xvfb, or Explorer).
class NotificationAreaShell : public ::testing::Test {
 protected:
  test::HiddenWindow window;
  Win32NotificationArea tray;
  Win32AnsiCodePage ansi;

  void TearDown() override {
    for (std::uint32_t id : {1u, 2u, 3u}) {
      NotifyIconBuffer record = Record(window.Get(), id, 0, "");
      tray.Notify(NotifyMessage::Delete, record);
    }
  }
};

TEST_F(NotificationAreaShell, AnswersLikeTheShell) {
  NotifyIconBuffer record = Record(window.Get(), 1, 0, "NumLock status");
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record)) << "is a notification area running?";
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record)) << "the icon is already there";
  EXPECT_EQ(tray.RefusedAddsPending(), 0u) << "an add refused for a present icon is not retried";
  EXPECT_TRUE(tray.Notify(NotifyMessage::Modify, record));
  EXPECT_TRUE(tray.Notify(NotifyMessage::Delete, record));
  EXPECT_FALSE(tray.Notify(NotifyMessage::Modify, record)) << "no such icon any more";
  EXPECT_FALSE(tray.Notify(NotifyMessage::Delete, record));
}

TEST_F(NotificationAreaShell, IconsAreKeyedByWindowAndId) {
  NotifyIconBuffer first = Record(window.Get(), 1, 0, "a");
  NotifyIconBuffer second = Record(window.Get(), 2, 0, "b");
  NotifyIconBuffer absent = Record(window.Get(), 3, 0, "c");
  EXPECT_TRUE(tray.Notify(NotifyMessage::Add, first));
  EXPECT_TRUE(tray.Notify(NotifyMessage::Add, second));
  EXPECT_FALSE(tray.Notify(NotifyMessage::Modify, absent));
}

TEST_F(NotificationAreaShell, UnrepresentableTipCharacterComesBackAsReplacement) {
  const std::string tip = ansi.ToAnsi(u"Caps \u2603 On");
  ASSERT_EQ(tip, "Caps ? On");
  NotifyIconBuffer record = Record(window.Get(), 2, 0, tip);
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  EXPECT_EQ(ansi.FromAnsi(Tip(record)), u"Caps ? On");
  EXPECT_EQ(Get(record, 16), static_cast<std::uint32_t>(WM_MOUSEMOVE))
      << "record keeps its callback";
}

// A shell that refuses everything until its tray exists, as at logon.
struct FakeShell {
  bool ready = false;
  int addCalls = 0;
  std::map<std::pair<HWND, UINT>, NOTIFYICONDATAA> icons;

  BOOL operator()(DWORD message, NOTIFYICONDATAA& data) {
    const auto key = std::make_pair(data.hWnd, data.uID);
    if (message == NIM_ADD) ++addCalls;
    if (!ready) return FALSE;
    const bool present = icons.count(key) != 0;
    switch (message) {
      case NIM_ADD:
        if (present) return FALSE;
        icons[key] = data;
        return TRUE;
      case NIM_MODIFY:
        if (!present) return FALSE;
        icons[key] = data;
        return TRUE;
      case NIM_DELETE:
        return icons.erase(key) != 0;
    }
    return FALSE;
  }
};

class NotificationAreaRetry : public ::testing::Test {
 protected:
  test::HiddenWindow window;
  FakeShell shell;
  // A long interval: these tests run the retry rounds themselves.
  Win32NotificationArea tray{[this](DWORD m, NOTIFYICONDATAA& d) { return shell(m, d); }, 60000, 3};

  NotifyIconBuffer Icon(std::uint32_t id, const std::string& tip = "CapsLock status") {
    return Record(window.Get(), id, 0x50, tip);
  }
};

TEST_F(NotificationAreaRetry, RefusedAddIsRetriedUntilTheShellTakesIt) {
  NotifyIconBuffer record = Icon(2);
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record));
  EXPECT_EQ(tray.RefusedAddsPending(), 1u);
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 1u);
  shell.ready = true;
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  ASSERT_EQ(shell.icons.size(), 1u);
  tray.RetryRefusedAdds();
  EXPECT_EQ(shell.addCalls, 3) << "no add once the icon is up";
}

TEST_F(NotificationAreaRetry, AddRefusedBecauseTheIconExistsIsNotRetried) {
  shell.ready = true;
  NotifyIconBuffer record = Icon(1);
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record));
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  EXPECT_EQ(shell.icons.size(), 1u);
}

TEST_F(NotificationAreaRetry, IconThatAppearedMeanwhileEndsTheRetry) {
  NotifyIconBuffer record = Icon(1);
  tray.Notify(NotifyMessage::Add, record);
  shell.ready = true;
  shell.icons[{window.Get(), 1}] = ToNotifyIconData(record);  // the late add did land
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  EXPECT_EQ(shell.icons.size(), 1u);
}

TEST_F(NotificationAreaRetry, DeleteCancelsAPendingAdd) {
  NotifyIconBuffer record = Icon(3);
  tray.Notify(NotifyMessage::Add, record);
  tray.Notify(NotifyMessage::Delete, record);
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  shell.ready = true;
  tray.RetryRefusedAdds();
  EXPECT_TRUE(shell.icons.empty()) << "a deleted icon must not come back";
}

TEST_F(NotificationAreaRetry, RetryShowsTheLatestPictureAndTip) {
  NotifyIconBuffer record = Icon(2, "CapsLock status");
  tray.Notify(NotifyMessage::Add, record);
  NotifyIconBuffer changed = Record(window.Get(), 2, 0x60, "CapsLock On");
  tray.Notify(NotifyMessage::Modify, changed);
  shell.ready = true;
  tray.RetryRefusedAdds();
  ASSERT_EQ(shell.icons.size(), 1u);
  const NOTIFYICONDATAA& shown = shell.icons.begin()->second;
  EXPECT_STREQ(shown.szTip, "CapsLock On");
  EXPECT_EQ(shown.hIcon, reinterpret_cast<HICON>(0x60));
}

TEST_F(NotificationAreaRetry, GivesUpAfterItsAttempts) {
  NotifyIconBuffer record = Icon(1);
  tray.Notify(NotifyMessage::Add, record);
  for (int i = 0; i < 3; ++i) tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  shell.ready = true;
  tray.RetryRefusedAdds();
  EXPECT_TRUE(shell.icons.empty());
}

TEST_F(NotificationAreaRetry, IconOfAWindowThatIsGoneIsNotRetried) {
  NotifyIconBuffer record = Record(reinterpret_cast<HWND>(0x7FF0), 1, 0, "x");
  tray.Notify(NotifyMessage::Add, record);
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
}

TEST(NotificationAreaRetryTimer, TheWindowTimerRetriesWithoutHelp) {
  test::HiddenWindow window;
  FakeShell shell;
  Win32NotificationArea tray([&](DWORD m, NOTIFYICONDATAA& d) { return shell(m, d); }, 20, 100);
  NotifyIconBuffer record = Record(window.Get(), 1, 0, "NumLock status");
  tray.Notify(NotifyMessage::Add, record);
  shell.ready = true;
  EXPECT_TRUE(test::PumpUntil([&] { return tray.RefusedAddsPending() == 0; }));
  EXPECT_EQ(shell.icons.size(), 1u);
}

}  // namespace
}  // namespace murvane::win32
