// The program's windows built from their layout tables: controls placed in pixels at the
// screen's density, and the keyboard's way through them.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "app/lock_keys.h"
#include "platform/win32/layout_pixels.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

TEST(WindowLayout, TwipsBecomePixelsWithHalvesRoundedAway) {
  const std::tuple<int, int, int> cases[] = {{15, 96, 1},  {7, 96, 0},   {8, 96, 1},
                                             {-8, 96, -1}, {60, 120, 5}, {1275, 144, 128}};
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
  }
}

TEST(WindowLayout, ControlsInAFrameAreOffsetByTheFrame) {
  const WindowDesc& layout = ConfigWindowLayout();
  const ControlDesc& check = *layout.Find({"chkCapsLock"});
  const ControlDesc& apply = *layout.Find({"cmdApply"});
  EXPECT_EQ(ControlRect(layout, check, {96, 96}), (PixelRect{4 + 4, 4 + 16, 209, 21}));
  EXPECT_EQ(ControlRect(layout, check, {144, 144}), (PixelRect{6 + 6, 6 + 24, 314, 32}));
  EXPECT_EQ(ControlRect(layout, apply, {96, 96}), (PixelRect{276, 212, 81, 25}));
  EXPECT_EQ(ControlRect(layout, apply, {144, 144}), (PixelRect{414, 318, 122, 38}));
  EXPECT_EQ(ClientRect(layout, {96, 96}), (PixelRect{0, 0, 360, 270}));
  EXPECT_EQ(ClientRect(layout, {144, 144}), (PixelRect{0, 0, 540, 405}));
}

TEST(WindowLayout, RealWindowsPlaceTheirControlsWhereTheLayoutSays) {
  for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
    test::RecordingEvents events;
    Win32WindowSystem system;
    const auto native = system.CreateNativeWindow(*layout, events);
    const auto& window = static_cast<Win32Window&>(*native);
    const Dpi dpi = ScreenDpi();
    for (const ControlDesc& desc : layout->controls) {
      if (desc.kind == ControlKind::Timer || desc.kind == ControlKind::Line) continue;
      RECT r{};
      ASSERT_TRUE(GetWindowRect(window.ControlWindow(desc.id), &r)) << desc.id.name;
      MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ((PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                ControlRect(*layout, desc, dpi))
          << desc.id.name;
    }
    RECT client;
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ((PixelRect{0, 0, client.right, client.bottom}), ClientRect(*layout, dpi));
  }
}

// Tab goes down each frame, then to Chiudi and Applica; the hidden path texts never take
// the focus, though the layout gives them tab indexes.
// A taskbar takes part of the screen, but the About window is centred on the
// whole screen, as it was designed.
TEST(WindowLayout, AboutOpensCentredOnTheScreenNotOnTheWorkArea) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT lowered{0, 200, screenWidth, screenHeight};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &lowered, 0));
  test::RecordingEvents events;
  Win32WindowSystem system;
  std::unique_ptr<NativeWindow> about = system.CreateNativeWindow(AboutWindowLayout(), events);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0);
  RECT frame{};
  GetWindowRect(static_cast<Win32Window&>(*about).Hwnd(), &frame);
  EXPECT_NEAR((frame.left + frame.right) / 2, screenWidth / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, screenHeight / 2, 1);
}

TEST(WindowLayout, TabFollowsTheFramesAndSkipsHiddenControls) {
  const WindowDesc& layout = ConfigWindowLayout();
  test::RecordingEvents events;
  Win32WindowSystem system;
  const auto native = system.CreateNativeWindow(layout, events);
  const auto& window = static_cast<Win32Window&>(*native);
  native->Show();
  std::vector<ControlId> order;
  const HWND first = GetNextDlgTabItem(window.Hwnd(), nullptr, FALSE);
  for (HWND at = first; at && order.size() < 30;) {
    for (const ControlDesc& desc : layout.controls) {
      if (window.ControlWindow(desc.id) == at) order.push_back(desc.id);
    }
    if ((at = GetNextDlgTabItem(window.Hwnd(), at, FALSE)) == first) break;
  }
  std::vector<ControlId> expected;
  for (Key key : kCapsNumScroll) {
    const LockKey& k = KeyInfo(key);
    expected.insert(expected.end(),
                    {k.ShowBox(), k.ChangeButton(kOffSlot), k.DefaultButton(kOffSlot),
                     k.ChangeButton(kOnSlot), k.DefaultButton(kOnSlot)});
  }
  expected.insert(expected.end(), {ControlId{"cmdClose"}, ControlId{"cmdApply"}});
  EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace murvane::win32
