// Windows built from layout tables: controls placed in pixels at the screen's density.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "platform/win32/layout_pixels.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

TEST(WindowLayout, TwipsBecomePixelsWithHalvesRoundedAway) {
  const std::tuple<int, int, int> cases[] = {{15, 96, 1},  {4035, 96, 269},  {5400, 96, 360},
                                             {7, 96, 0},   {8, 96, 1},       {-8, 96, -1},
                                             {60, 120, 5}, {4035, 144, 404}, {1275, 144, 128}};
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
  }
}

TEST(WindowLayout, ControlsInAFrameAreOffsetByTheFrame) {
  const WindowDesc layout = test::SampleLayout();
  const ControlDesc& check = *layout.Find({"chkCapsLock"});
  const ControlDesc& apply = *layout.Find({"cmdApply"});
  EXPECT_EQ(ControlRect(layout, check, {96, 96}), (PixelRect{4 + 4, 4 + 16, 209, 21}));
  EXPECT_EQ(ControlRect(layout, check, {144, 144}), (PixelRect{6 + 6, 6 + 24, 314, 32}));
  EXPECT_EQ(ControlRect(layout, apply, {96, 96}), (PixelRect{276, 212, 81, 25}));
  EXPECT_EQ(ControlRect(layout, apply, {144, 144}), (PixelRect{414, 318, 122, 38}));
  EXPECT_EQ(ClientRect(layout, {96, 96}), (PixelRect{0, 0, 360, 270}));
  EXPECT_EQ(ClientRect(layout, {144, 144}), (PixelRect{0, 0, 540, 405}));
}

TEST(WindowLayout, RealWindowPlacesItsControlsWhereTheLayoutSays) {
  const WindowDesc layout = test::SampleLayout();
  test::RecordingEvents events;
  Win32WindowSystem system;
  const auto native = system.CreateNativeWindow(layout, events);
  const auto& window = static_cast<Win32Window&>(*native);
  const Dpi dpi = ScreenDpi();
  for (const ControlDesc& desc : layout.controls) {
    if (desc.kind == ControlKind::Timer) continue;
    RECT r{};
    ASSERT_TRUE(GetWindowRect(window.ControlWindow(desc.id), &r)) << desc.id.name;
    MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              ControlRect(layout, desc, dpi))
        << desc.id.name;
  }
  RECT client;
  GetClientRect(window.Hwnd(), &client);
  EXPECT_EQ((PixelRect{0, 0, client.right, client.bottom}), ClientRect(layout, dpi));
}

}  // namespace
}  // namespace murvane::win32
