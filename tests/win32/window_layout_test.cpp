// The program's windows built from their layout tables: controls placed in pixels at the
// window's density, from creation or from a later WM_DPICHANGED, in fonts their captions fit. A
// monitor at 144 dpi is simulated through the density functions' seam. The tab order is checked on
// the table (config_window_test) and by the keys scripts/e2e presses.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "platform/layout_pixels.h"
#include "platform/win32/fonts_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

// A control's font: height, weight and face.
std::tuple<LONG, LONG, std::wstring> FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return {font.lfHeight, font.lfWeight, font.lfFaceName};
}

// The window is as its layout says at `dpi`: its client size, the sizes its pictures and its
// title-bar icon are drawn at, each control's place; and, given a twin, the twin's fonts.
void ExpectLaidOut(const Win32Window& window, const WindowDesc& layout, int dpi,
                   const Win32Window* twin = nullptr) {
  RECT r{};
  GetClientRect(window.Hwnd(), &r);
  const PixelRect client = ClientRect(layout, {dpi, dpi});
  const int icon = dpi == 144 ? 24 : 16;
  const auto title = SendMessageW(window.Hwnd(), WM_GETICON, ICON_SMALL, 0);
  EXPECT_EQ(std::tuple(r.right, r.bottom, window.PictureSize(),
                       test::IconWidth(reinterpret_cast<HICON>(title))),
            std::tuple(client.width, client.height, icon, icon))
      << layout.name << " at " << dpi;
  for (const ControlDesc& desc : layout.controls) {
    const HWND control = window.ControlWindow(desc.id);
    if (!control) continue;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    const PixelRect at = ControlRect(layout, desc, {dpi, dpi});
    EXPECT_EQ(std::tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
              std::tuple(at.left, at.top, at.width, at.height))
        << desc.id.name << " at " << dpi;
    if (twin) {
      EXPECT_EQ(FontOf(control), FontOf(twin->ControlWindow(desc.id))) << desc.id.name;
    }
  }
}

const Win32Window& Native(const std::unique_ptr<NativeWindow>& window) {
  return static_cast<const Win32Window&>(*window);
}

// A raster face gives way where it has no such size; at each density every caption fits its
// control in the fonts picked for it.
TEST(WindowLayout, FontsAreDrawnAtTheirSizeAndEveryCaptionFits) {
  EXPECT_EQ(ChooseFace(L"MS Sans Serif", 11), L"MS Sans Serif");
  const std::wstring at144 = ChooseFace(L"MS Sans Serif", 17);
  EXPECT_NE(at144, L"MS Sans Serif");
  EXPECT_TRUE(DrawsExactly(at144, 17)) << "stand-in drawn at another size";
  EXPECT_TRUE(DrawsExactly(ChooseFace(L"No Such Face", 13), 13));
  for (int dpi : {96, 120, 144, 192}) {
    for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
      WindowFonts fonts(dpi);
      const std::vector<CaptionRoom> rooms = CaptionRooms(*layout, {dpi, dpi});
      fonts.Fit(rooms);
      for (const CaptionRoom& room : rooms)
        EXPECT_LE(CaptionWidth(fonts.For(room.font), room.text), room.width)
            << dpi << " dpi: " << std::string(room.text.begin(), room.text.end());
    }
  }
}

// Each window created at 96 dpi (with the newer density functions hidden, as on Windows 7,
// and with the system's) and at 144; and one created at 96 then told WM_DPICHANGED to 144,
// which must then look exactly like the one created at 144, fonts included.
TEST(WindowLayout, WindowsAtEachDensityAreWhereTheLayoutSays) {
  ASSERT_NE(NewerDpiFunctions().getDpiForWindow, nullptr) << "Wine has them; the seam hides them";
  const POINT screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const std::pair<DpiFunctions, int> rows[] = {
      {DpiFunctions{}, 96}, {NewerDpiFunctions(), 96}, {test::MonitorsAt144(), 144}};
  const PixelRect config = ClientRect(ConfigWindowLayout(), {144, 144});
  EXPECT_EQ(std::pair(config.width, config.height), std::pair(540, 405)) << "the arithmetic";
  for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
    test::RecordingEvents events;
    Win32WindowSystem system;
    std::vector<std::unique_ptr<NativeWindow>> made;
    for (const auto& [functions, dpi] : rows) {
      const ScopedDpiFunctions seam(functions);
      made.push_back(system.CreateNativeWindow(*layout, events));
      ExpectLaidOut(Native(made.back()), *layout, dpi);
    }
    const HWND hwnd = Native(made[1]).Hwnd();
    EXPECT_NE(GetWindow(hwnd, GW_OWNER), nullptr) << "an owned window stays off the task list";
    RECT outer{};
    if (layout == &AboutWindowLayout() && GetWindowRect(hwnd, &outer)) {
      EXPECT_NEAR((outer.left + outer.right) / 2, screen.x / 2, 1) << "centred on the screen";
      EXPECT_NEAR((outer.top + outer.bottom) / 2, screen.y / 2, 1);
    }

    const auto moved = system.CreateNativeWindow(*layout, events);
    GetWindowRect(Native(moved).Hwnd(), &outer);
    // Where Windows would put a window that answers no WM_GETDPISCALEDSIZE: stretched.
    RECT suggested{20, 30, 20 + (outer.right - outer.left) * 3 / 2,
                   30 + (outer.bottom - outer.top) * 3 / 2};
    SendMessageW(Native(moved).Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    ExpectLaidOut(Native(moved), *layout, 144, &Native(made[2]));
    GetWindowRect(Native(moved).Hwnd(), &outer);
    EXPECT_EQ(std::pair(outer.left, outer.top), std::pair(20L, 30L)) << "the suggested corner";
  }
}

}  // namespace
}  // namespace murvane::win32
