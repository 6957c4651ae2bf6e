// The program's windows built from their layout tables: controls placed in pixels at the
// screen's density. The tab order is checked on the table (config_window_test) and by the
// keys scripts/e2e presses.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "platform/layout_pixels.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

TEST(WindowLayout, TwipsBecomePixelsWithHalvesRoundedAway) {
  const std::tuple<int, int, int> cases[] = {
      {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}, {1275, 144, 128}};
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
  }
}

// Where each control lands in the real window, and that what sits in a frame lands inside
// it. A taskbar at the top lowers the work area, yet About is centred on the whole screen.
TEST(WindowLayout, RealWindowsPlaceTheirControlsWhereTheLayoutSays) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const POINT screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT lowered{0, 200, screen.x, screen.y};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &lowered, 0));
  for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
    test::RecordingEvents events;
    Win32WindowSystem system;
    const auto native = system.CreateNativeWindow(*layout, events);
    const HWND hwnd = static_cast<Win32Window&>(*native).Hwnd();
    EXPECT_NE(GetWindow(hwnd, GW_OWNER), nullptr) << "an owned window stays off the task list";
    auto placed = [&](const ControlId& id) {
      RECT r{};
      GetWindowRect(static_cast<Win32Window&>(*native).ControlWindow(id), &r);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
      return r;
    };
    for (const ControlDesc& desc : layout->controls) {
      if (desc.kind == ControlKind::Timer || desc.kind == ControlKind::Line) continue;
      const RECT r = placed(desc.id);
      EXPECT_EQ((PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                ControlRect(*layout, desc, ScreenDpi()))
          << desc.id.name;
      if (desc.parent.empty()) continue;
      const RECT frame = placed({desc.parent});
      EXPECT_TRUE(r.left > frame.left && r.top > frame.top && r.right < frame.right &&
                  r.bottom < frame.bottom)
          << desc.id.name << " outside " << desc.parent;
    }
    RECT client, outer;
    GetClientRect(hwnd, &client);
    EXPECT_EQ((PixelRect{0, 0, client.right, client.bottom}), ClientRect(*layout, ScreenDpi()));
    if (layout == &AboutWindowLayout() && GetWindowRect(hwnd, &outer)) {
      EXPECT_NEAR((outer.left + outer.right) / 2, screen.x / 2, 1);
      EXPECT_NEAR((outer.top + outer.bottom) / 2, screen.y / 2, 1);
    }
  }
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0);
}

}  // namespace
}  // namespace murvane::win32
