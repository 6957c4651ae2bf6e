// Windows built from layout tables: sizes and places in pixels at the screen's
// density, border, tab order, fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <vector>

#include "platform/win32/layout_pixels.h"
#include "platform/win32/window_system_win32.h"
#include "support/sample_layout.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

TEST(WindowLayout, TwipsBecomePixelsAtTheGivenDensity) {
  EXPECT_EQ(TwipsToPixels(15, 96), 1);
  EXPECT_EQ(TwipsToPixels(4035, 96), 269);
  EXPECT_EQ(TwipsToPixels(5400, 96), 360);
  EXPECT_EQ(TwipsToPixels(4035, 144), 404) << "403.5 rounds up";
  EXPECT_EQ(TwipsToPixels(1275, 144), 128) << "127.5 rounds up";
  EXPECT_EQ(TwipsToPixels(60, 120), 5);
  EXPECT_EQ(TwipsToPixels(7, 96), 0);
  EXPECT_EQ(TwipsToPixels(8, 96), 1);
  EXPECT_EQ(TwipsToPixels(-8, 96), -1);
}

TEST(WindowLayout, ControlsInAFrameAreOffsetByTheFrame) {
  const WindowDesc layout = test::SampleLayout();
  const ControlDesc& check = *layout.Find({"chkCapsLock"});
  EXPECT_EQ(ControlRect(layout, check, {96, 96}), (PixelRect{4 + 4, 4 + 16, 209, 21}));
  EXPECT_EQ(ControlRect(layout, check, {144, 144}), (PixelRect{6 + 6, 6 + 24, 314, 32}));
  const ControlDesc& apply = *layout.Find({"cmdApply"});
  EXPECT_EQ(ControlRect(layout, apply, {96, 96}), (PixelRect{276, 212, 81, 25}));
  EXPECT_EQ(ControlRect(layout, apply, {144, 144}), (PixelRect{414, 318, 122, 38}));
}

TEST(WindowLayout, ClientAreaAtBothDensities) {
  const WindowDesc layout = test::SampleLayout();
  EXPECT_EQ(ClientRect(layout, {96, 96}), (PixelRect{0, 0, 360, 270}));
  EXPECT_EQ(ClientRect(layout, {144, 144}), (PixelRect{0, 0, 540, 405}));
}

TEST(WindowLayout, CreationOrderIsTheTabOrderThenTheRest) {
  const WindowDesc layout = test::SampleLayout();
  std::vector<std::string> names;
  for (const ControlDesc* control : CreationOrder(layout)) names.push_back(control->id.name);
  const std::vector<std::string> expected = {"fraCapsLock",
                                             "txtCapsLockIconPath",
                                             "chkCapsLock",
                                             "lblLink",
                                             "cmdCapsLockIconChange",
                                             "cmdCapsLockDefaultIcon",
                                             "cmdClose",
                                             "cmdApply",
                                             "imgCapsLock",
                                             "lblOff",
                                             "imgCurCapsLockIcon",
                                             "lblTitle",
                                             "Line1",
                                             "Timer1"};
  EXPECT_EQ(names, expected);
}

class WindowLayoutOnScreen : public ::testing::Test {
 protected:
  WindowDesc layout = test::SampleLayout();
  test::RecordingEvents events;
  Win32WindowSystem system;
  std::unique_ptr<NativeWindow> native = system.CreateNativeWindow(layout, events);
  Win32Window& window = static_cast<Win32Window&>(*native);
  Dpi dpi = ScreenDpi();

  PixelRect PlacedAt(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
};

TEST_F(WindowLayoutOnScreen, ControlsSitWhereTheLayoutSays) {
  int placed = 0;
  for (const ControlDesc& desc : layout.controls) {
    HWND control = window.ControlWindow(desc.id);
    if (desc.kind == ControlKind::Line || desc.kind == ControlKind::Timer) {
      EXPECT_EQ(control, nullptr) << desc.id.name;
      continue;
    }
    ASSERT_NE(control, nullptr) << desc.id.name;
    EXPECT_EQ(GetParent(control), window.Hwnd()) << desc.id.name << " belongs to the window";
    EXPECT_EQ(PlacedAt(control), ControlRect(layout, desc, dpi)) << desc.id.name;
    ++placed;
  }
  EXPECT_EQ(placed, 12);
}

TEST_F(WindowLayoutOnScreen, ClientAreaHasTheLayoutsSize) {
  RECT client;
  GetClientRect(window.Hwnd(), &client);
  const PixelRect expected = ClientRect(layout, dpi);
  EXPECT_EQ(client.right, expected.width);
  EXPECT_EQ(client.bottom, expected.height);
}

TEST_F(WindowLayoutOnScreen, FixedBorderWithCloseBoxOnly) {
  const LONG_PTR style = GetWindowLongPtrW(window.Hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_CHILD) << "a top-level window receives the shell's broadcasts";
}

TEST_F(WindowLayoutOnScreen, StartsHiddenWithItsCaptionAndIcon) {
  EXPECT_FALSE(IsWindowVisible(window.Hwnd()));
  wchar_t caption[64];
  GetWindowTextW(window.Hwnd(), caption, 64);
  EXPECT_STREQ(caption, L"Murvane - Configurazione");
  EXPECT_NE(SendMessageW(window.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(SendMessageW(window.Hwnd(), WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(WindowLayoutOnScreen, HiddenControlsAreCreatedHiddenWithoutTabStop) {
  for (const char* name : {"txtCapsLockIconPath", "imgCapsLock"}) {
    HWND control = window.ControlWindow({name, 0});
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    EXPECT_FALSE(style & WS_VISIBLE) << name;
    EXPECT_FALSE(style & WS_TABSTOP) << name;
  }
}

TEST_F(WindowLayoutOnScreen, TabMovesThroughTheLayoutsTabOrder) {
  native->Show();
  std::vector<HWND> order;
  HWND at = GetNextDlgTabItem(window.Hwnd(), nullptr, FALSE);
  while (at && order.size() < 10 && (order.empty() || at != order.front())) {
    order.push_back(at);
    at = GetNextDlgTabItem(window.Hwnd(), at, FALSE);
  }
  const std::vector<HWND> expected = {
      window.ControlWindow({"chkCapsLock"}), window.ControlWindow({"cmdCapsLockIconChange", 0}),
      window.ControlWindow({"cmdCapsLockDefaultIcon", 0}), window.ControlWindow({"cmdClose"}),
      window.ControlWindow({"cmdApply"})};
  EXPECT_EQ(order, expected);
}

TEST_F(WindowLayoutOnScreen, FontsFollowTheLayout) {
  auto fontOf = [&](const char* name) {
    LOGFONTW font{};
    auto handle =
        reinterpret_cast<HFONT>(SendMessageW(window.ControlWindow({name}), WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof(font), &font);
    return font;
  };
  const LOGFONTW link = fontOf("lblLink");
  const LOGFONTW title = fontOf("lblTitle");
  if (HasFontFace(L"Tahoma")) {
    EXPECT_STREQ(link.lfFaceName, L"Tahoma");
  }
  EXPECT_EQ(link.lfHeight, -std::lround(8.25 * dpi.y / 72));
  EXPECT_TRUE(link.lfUnderline);
  EXPECT_EQ(title.lfHeight, -std::lround(15.75 * dpi.y / 72));
  EXPECT_FALSE(title.lfUnderline);
  EXPECT_NE(fontOf("cmdApply").lfFaceName[0], L'\0') << "default controls get the dialog font";
}

TEST(WindowLayoutPosition, CentredWindowIsInTheMiddleOfTheWorkArea) {
  const WindowDesc layout = test::SampleLayout(StartPosition::CenterScreen);
  test::RecordingEvents events;
  Win32WindowSystem system;
  auto native = system.CreateNativeWindow(layout, events);
  RECT frame, work;
  GetWindowRect(static_cast<Win32Window&>(*native).Hwnd(), &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 1);
}

TEST(WindowLayoutFonts, MissingFaceFallsBackToTheDialogFont) {
  WindowDesc layout = test::SampleLayout();
  layout.controls[10].font.face = u"No Such Face 1234";
  test::RecordingEvents events;
  Win32WindowSystem system;
  auto native = system.CreateNativeWindow(layout, events);
  auto& window = static_cast<Win32Window&>(*native);
  LOGFONTW font{};
  GetObjectW(
      reinterpret_cast<HFONT>(SendMessageW(window.ControlWindow({"lblLink"}), WM_GETFONT, 0, 0)),
      sizeof(font), &font);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  EXPECT_STREQ(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
  EXPECT_TRUE(font.lfUnderline) << "the rest of the description still holds";
}

}  // namespace
}  // namespace murvane::win32
