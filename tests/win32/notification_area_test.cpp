// The 88-byte record against Shell_NotifyIconA, through a shell that answers as Wine's and
// Explorer do: the retry of adds the shell refused, and pictures picked again for a new
// scale. scripts/e2e sees the icons, their menu and the dark taskbar's pictures in Wine's
// tray, and that a second start adds no second set.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>

#include "icon_maker/ico_writer.h"
#include "platform/win32/notification_area_win32.h"
#include "platform/win32/pictures_win32.h"
#include "support/tray_record.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

// A record as the program builds it.
NotifyIconBuffer Record(HWND window, std::size_t id, HICON icon, const std::string& tip = "") {
  return murvane::test::TrayRecord(std::int32_t(window), std::int32_t(id), std::int32_t(icon), tip);
}

// A shell that keeps each icon's last record and logs what it is sent ("A16": an add with a
// 16-pixel picture); until it is ready it refuses everything, as at logon.
struct FakeShell {
  bool ready = true;
  std::map<std::pair<HWND, UINT>, NOTIFYICONDATAA> icons;
  std::string calls;

  BOOL operator()(DWORD message, NOTIFYICONDATAA& data) {
    const auto key = std::pair{data.hWnd, data.uID};
    calls += "AMD"[message] + std::to_string(test::IconWidth(data.hIcon)) + " ";
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
  shell.ready = false;
  Win32NotificationArea tray{std::ref(shell), 20, 3};
  NotifyIconBuffer caps = Record(window.hwnd, 1, HICON(0x50));
  NotifyIconBuffer num = Record(window.hwnd, 2, HICON(0x60));
  NotifyIconBuffer scroll = Record(window.hwnd, 3, HICON(0x70));
  for (NotifyIconBuffer* record : {&caps, &num, &scroll})
    EXPECT_FALSE(tray.Notify(NotifyMessage::Add, *record));
  tray.Notify(NotifyMessage::Delete, scroll);
  NotifyIconBuffer capsOn = Record(window.hwnd, 1, HICON(0x51));
  tray.Notify(NotifyMessage::Modify, capsOn);
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 2u);
  shell.ready = true;
  shell.icons[{window.hwnd, 2}] = ToNotifyIconData(num);  // the late add did land
  shell.calls.clear();
  tray.RetryRefusedAdds();
  EXPECT_EQ(tray.RefusedAddsPending(), 0u);
  std::erase_if(shell.calls, [](char c) { return c >= '0' && c <= '9'; });  // fake pictures
  EXPECT_EQ(shell.calls, "A A M ") << "no add once an icon is up";
  EXPECT_EQ(shell.icons.size(), 2u) << "no deleted icon, no second copy";
  EXPECT_EQ((shell.icons[{window.hwnd, 1}].hIcon), HICON(0x51)) << "the newer picture";

  shell.ready = false;
  tray.Notify(NotifyMessage::Add, scroll);
  shell.ready = true;
  EXPECT_TRUE(test::PumpUntil([&] { return tray.RefusedAddsPending() == 0; }));
  EXPECT_EQ(shell.icons.size(), 3u);
}

// After a new scale (WindowEvents sees the windows ask for it) the shell gets the new frames
// with NIM_MODIFY, as the program adds its icons back: never a second icon. A built-in
// picture and one from the user's file alike; back and forth (to the system density as on
// Windows 7), the handles stay flat.
TEST(NotificationArea, ANewScaleReachesTheIconsByModifyNeverASecondIcon) {
  FakeShell shell;
  Win32NotificationArea tray{std::ref(shell)};
  test::HiddenWindow window;
  const IconCounts before = CountIcons();
  std::vector<PicturePtr> pictures = {
      LoadBuiltInIcon("CapsLock.off", SmallIconSize()),
      IconFromFileBytes(MakeSolidIcon(16, {0, 0, 200}), SmallIconSize())};
  std::vector<NotifyIconBuffer> records;
  for (const PicturePtr& picture : pictures) {
    ASSERT_NE(picture, nullptr);
    records.push_back(Record(window.hwnd, records.size(), IconOf(*picture)));
    tray.Notify(NotifyMessage::Add, records.back());
  }
  tray.RepickPictures();  // the same size: nothing is sent
  std::vector<long> live;
  for (int round = 0; round < 2; ++round) {
    for (const DpiFunctions& functions : {test::MonitorsAt144(), DpiFunctions{}}) {
      const ScopedDpiFunctions seam(functions);
      tray.RepickPictures();
      for (NotifyIconBuffer& record : records) tray.Notify(NotifyMessage::Add, record);
    }
    live.push_back(CountIcons().Live());
  }
  EXPECT_EQ(live[0], live[1]) << "each size is made once";
  shell.icons.clear();  // a real restart: the icon is added, once
  tray.Notify(NotifyMessage::Add, records[0]);
  const std::string toLarge = "M24 M24 M24 M24 ", toSmall = "M16 M16 M16 M16 ";
  EXPECT_EQ(shell.calls, "A16 A16 " + toLarge + toSmall + toLarge + toSmall + "M16 A16 ");
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(ToNotifyIconData(records[i]).hIcon, IconOf(*pictures[i])) << "the program's handle";
    tray.Notify(NotifyMessage::Delete, records[i]);
  }
  pictures.clear();
  EXPECT_EQ(CountIcons().Live(), before.Live()) << "every frame released with its picture";
}

}  // namespace
}  // namespace murvane::win32
