// Per-monitor density: a window told its monitor went from 96 to 144 dpi lays out as one
// created at 144; the tray's pictures follow a new scale with NIM_MODIFY; and with the newer
// functions hidden, as on Windows 7, everything runs at the system density. A monitor at
// 144 dpi is simulated through the seam: Wine's own screen stays at 96.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "icon_maker/ico_writer.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/notification_area_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

UINT WINAPI WindowAt144(HWND) {
  return 144;
}
HRESULT WINAPI MonitorAt144(HMONITOR, int, UINT* x, UINT* y) {
  *x = *y = 144;
  return S_OK;
}

// The system's functions, with every monitor (the taskbar's too) at 144 dpi.
DpiFunctions MonitorsAt144() {
  DpiFunctions functions = NewerDpiFunctions();
  functions.getDpiForWindow = &WindowAt144;
  functions.getDpiForMonitor = &MonitorAt144;
  return functions;
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// What a window looks like from outside: client size, each control's place and font, the
// size its pictures and title-bar icon are drawn at.
struct Look {
  SIZE client{};
  std::vector<RECT> places;
  std::vector<LOGFONTW> fonts;
  int pictures = 0;
  int titleIcon = 0;
};

Look LookOf(const Win32Window& window, const WindowDesc& layout) {
  Look look;
  RECT client{};
  GetClientRect(window.Hwnd(), &client);
  look.client = {client.right, client.bottom};
  for (const ControlDesc& desc : layout.controls) {
    HWND control = window.ControlWindow(desc.id);
    if (!control) continue;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    look.places.push_back(r);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    look.fonts.push_back(font);
  }
  look.pictures = window.PictureSize();
  look.titleIcon =
      IconWidth(reinterpret_cast<HICON>(SendMessageW(window.Hwnd(), WM_GETICON, ICON_SMALL, 0)));
  return look;
}

std::unique_ptr<NativeWindow> Create(Win32WindowSystem& system, const WindowDesc& layout,
                                     test::RecordingEvents& events) {
  return system.CreateNativeWindow(layout, events);
}

const Win32Window& Native(const std::unique_ptr<NativeWindow>& window) {
  return static_cast<const Win32Window&>(*window);
}

TEST(DpiChange, AWindowTold144LaysOutExactlyLikeOneCreatedAt144) {
  struct Case {
    const WindowDesc* layout;
    SIZE client;  // at 144 dpi
  };
  for (const Case& c : {Case{&ConfigWindowLayout(), {540, 405}}, Case{&AboutWindowLayout(), {}}}) {
    test::RecordingEvents events;
    Win32WindowSystem system;
    const auto moved = Create(system, *c.layout, events);
    ASSERT_EQ(Native(moved).DpiNow(), 96);
    RECT was{};
    GetWindowRect(Native(moved).Hwnd(), &was);
    // As Windows suggests it for a window that answers no WM_GETDPISCALEDSIZE: stretched.
    RECT suggested{was.left, was.top, was.left + (was.right - was.left) * 3 / 2,
                   was.top + (was.bottom - was.top) * 3 / 2};
    SendMessageW(Native(moved).Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    Look after = LookOf(Native(moved), *c.layout);

    ScopedDpiFunctions at144(MonitorsAt144());
    const auto created = Create(system, *c.layout, events);
    ASSERT_EQ(Native(created).DpiNow(), 144);
    Look made = LookOf(Native(created), *c.layout);

    const char* name = c.layout == &ConfigWindowLayout() ? "configuration" : "About";
    if (c.client.cx) {
      EXPECT_EQ(made.client.cx, c.client.cx) << name;
      EXPECT_EQ(made.client.cy, c.client.cy) << name;
    }
    EXPECT_EQ(after.client.cx, made.client.cx) << name;
    EXPECT_EQ(after.client.cy, made.client.cy) << name;
    RECT now{};
    GetWindowRect(Native(moved).Hwnd(), &now);
    EXPECT_EQ(now.left, suggested.left) << name << ": the suggested corner";
    EXPECT_EQ(now.top, suggested.top) << name;
    ASSERT_EQ(after.places.size(), made.places.size());
    for (std::size_t i = 0; i < made.places.size(); ++i) {
      EXPECT_TRUE(EqualRect(&after.places[i], &made.places[i])) << name << " control " << i;
      EXPECT_EQ(after.fonts[i].lfHeight, made.fonts[i].lfHeight) << name << " control " << i;
      EXPECT_STREQ(after.fonts[i].lfFaceName, made.fonts[i].lfFaceName) << name << " " << i;
      EXPECT_EQ(after.fonts[i].lfWeight, made.fonts[i].lfWeight) << name << " control " << i;
    }
    EXPECT_EQ(after.pictures, 24) << name;
    EXPECT_EQ(made.pictures, 24) << name;
    EXPECT_EQ(after.titleIcon, made.titleIcon) << name;
    // Every caption fits its room in the font its control now has.
    for (const CaptionRoom& room : CaptionRooms(*c.layout, {144, 144})) {
      for (const ControlDesc& desc : c.layout->controls) {
        if (desc.caption != room.text) continue;
        HWND control = Native(moved).ControlWindow(desc.id);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        EXPECT_LE(CaptionWidth(font, room.text), room.width) << name << " " << desc.id.name;
      }
    }
  }
}

// A shell that keeps each icon's last record, and what it was asked.
struct Shell {
  std::map<std::pair<HWND, UINT>, NOTIFYICONDATAA> icons;
  std::vector<std::pair<DWORD, int>> calls;  // message, picture width

  BOOL operator()(DWORD message, NOTIFYICONDATAA& data) {
    const auto key = std::pair{data.hWnd, data.uID};
    calls.emplace_back(message, IconWidth(data.hIcon));
    if ((message == NIM_ADD) == icons.contains(key)) return FALSE;
    if (message == NIM_DELETE) icons.erase(key);
    if (message != NIM_DELETE) icons[key] = data;
    return TRUE;
  }
};

NotifyIconBuffer Record(HWND window, const Picture& picture, UINT id = 1) {
  NOTIFYICONDATAA data{};
  data.cbSize = 88;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = IconOf(picture);
  NotifyIconBuffer record{};
  FromNotifyIconData(data, record);
  return record;
}

// A user's icon file with a 16- and a 24-pixel frame, as the open-file dialog would give it.
std::vector<std::uint8_t> TwoFrameIconFile() {
  std::vector<IconImage> images;
  for (int size : {16, 24}) {
    images.push_back({size, size, IconDepth::kTrueColour,
                      std::vector<IconPixel>(size * size, IconColour{0, 0, 200})});
  }
  return WriteIco(images);
}

// Windows announces a new scale with TaskbarCreated while the icons are still up: the
// window picks the pictures again, then the program adds its icons back as after a real
// restart of the shell. Back and forth, the handles stay flat. A built-in picture and one
// from the user's file alike.
TEST(DpiChange, AfterAScaleChangeTheTrayShowsThe24PixelFrameByModify) {
  Shell shell;
  Win32NotificationArea tray{std::ref(shell)};
  Win32WindowSystem system{[&] { tray.RepickPictures(); }};
  test::RecordingEvents events;
  const auto window = Create(system, ConfigWindowLayout(), events);
  const IconCounts before = CountIcons();
  std::vector<PicturePtr> pictures = {LoadBuiltInIcon("CapsLock.off", SmallIconSize()),
                                      IconFromFileBytes(TwoFrameIconFile(), SmallIconSize())};
  std::vector<NotifyIconBuffer> records;
  for (const PicturePtr& picture : pictures) {
    ASSERT_NE(picture, nullptr);
    records.push_back(Record(Native(window).Hwnd(), *picture, static_cast<UINT>(records.size())));
    ASSERT_TRUE(tray.Notify(NotifyMessage::Add, records.back()));
    ASSERT_EQ(shell.calls.back(), (std::pair<DWORD, int>{NIM_ADD, 16}));
  }

  static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  auto scaleChange = [&](int expected) {
    shell.calls.clear();
    SendMessageW(Native(window).Hwnd(), taskbarCreated, 0, 0);
    // What the program does on OnTrayRecreated.
    for (NotifyIconBuffer& record : records) tray.Notify(NotifyMessage::Add, record);
    EXPECT_EQ(tray.IconSize(), expected);
    ASSERT_FALSE(shell.calls.empty());
    for (const auto& [message, width] : shell.calls) {
      EXPECT_EQ(message, static_cast<DWORD>(NIM_MODIFY)) << "at " << expected;
      EXPECT_EQ(width, expected);
    }
    EXPECT_EQ(shell.icons.size(), 2u) << "no second icon";
    for (const auto& [key, shown] : shell.icons) EXPECT_EQ(IconWidth(shown.hIcon), expected);
  };
  long liveAfterFirst = 0;
  for (int round = 0; round < 2; ++round) {
    {
      ScopedDpiFunctions at144(MonitorsAt144());
      scaleChange(24);
    }
    scaleChange(16);
    if (round == 0) liveAfterFirst = CountIcons().Live();
    EXPECT_EQ(CountIcons().Live(), liveAfterFirst) << "each size is made once";
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(ToNotifyIconData(records[i]).hIcon, IconOf(*pictures[i])) << "the program's handle";
  }
  // An icon the shell has forgotten (a real restart) is added, once.
  shell.icons.clear();
  shell.calls.clear();
  tray.Notify(NotifyMessage::Add, records[0]);
  EXPECT_EQ(shell.calls.back().first, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shell.icons.size(), 1u);
  for (NotifyIconBuffer& record : records) tray.Notify(NotifyMessage::Delete, record);
  pictures.clear();
  EXPECT_EQ(CountIcons().Live(), before.Live()) << "every frame released with its picture";
}

// Windows 7 has none of the newer functions: one density, the system's, everywhere.
TEST(DpiChange, WithTheNewerFunctionsHiddenEverythingRunsAtTheSystemDensity) {
  EXPECT_NE(NewerDpiFunctions().getDpiForWindow, nullptr) << "Wine has them; the seam hides them";
  ScopedDpiFunctions hidden(DpiFunctions{});
  EXPECT_EQ(NewerDpiFunctions().getDpiForWindow, nullptr);
  const int system = ScreenDpi().y;
  const int small = GetSystemMetrics(SM_CXSMICON);
  Shell shell;
  Win32NotificationArea tray{std::ref(shell)};
  EXPECT_EQ(tray.IconSize(), small);
  Win32WindowSystem windows{[&] { tray.RepickPictures(); }};
  test::RecordingEvents events;
  const auto window = Create(windows, ConfigWindowLayout(), events);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Native(window).DpiNow(), system);
  EXPECT_EQ(Native(window).PictureSize(), small);
  const Look look = LookOf(Native(window), ConfigWindowLayout());
  const PixelRect client = ClientRect(ConfigWindowLayout(), ScreenDpi());
  EXPECT_EQ(look.client.cx, client.width);
  EXPECT_EQ(look.client.cy, client.height);
  PicturePtr picture = LoadBuiltInIcon("NumLock.on", SmallIconSize());
  NotifyIconBuffer record = Record(Native(window).Hwnd(), *picture);
  EXPECT_TRUE(tray.Notify(NotifyMessage::Add, record));
  SendMessageW(Native(window).Hwnd(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
  EXPECT_EQ(shell.calls.size(), 1u) << "the same size: nothing sent again";
  EXPECT_EQ(shell.calls.back().second, small);
  tray.Notify(NotifyMessage::Delete, record);
}

}  // namespace
}  // namespace murvane::win32
