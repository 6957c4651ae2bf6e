// The display's window against the real system: never active, low and centred on the screen,
// sized for its monitor's density, silent over a full-screen program, and flat in handles over
// thousands of displays. scripts/e2e turns it on from the tray menu (and sees the tick), finds
// the 32-pixel picture it draws, above Wine's taskbar, and the focus kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "platform/win32/osd_win32.h"
#include "platform/win32/pictures_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

std::pair<int, HRESULT> shellSays{5, S_OK};  // QUNS_ACCEPTS_NOTIFICATIONS
HRESULT WINAPI ShellQuery(int* state) {
  *state = shellSays.first;
  return shellSays.second;
}

// Left, top, width, height on the screen; all 0 while hidden.
std::tuple<LONG, LONG, LONG, LONG> Place(const Win32OnScreenDisplay& display) {
  RECT r{};
  if (IsWindowVisible(display.Hwnd())) GetWindowRect(display.Hwnd(), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// GDI objects in use. Wine answers 0; there the slot a new object takes stands in: it climbs
// with every object left behind, and otherwise wanders only among the few slots set free.
long GdiInUse() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return long(count);
  const HBRUSH probe = CreateSolidBrush(0);
  return DeleteObject(probe) ? LOWORD(reinterpret_cast<UINT_PTR>(probe)) : -1;
}

struct OnScreenDisplayWindow : ::testing::Test {
  Win32OnScreenDisplay display{[] { return true; }, &ShellQuery};
  std::vector<DisplayRow> rows = {{LoadBuiltInIcon("CapsLock.on.dark", 16), u"CapsLock On"},
                                  {LoadBuiltInIcon("NumLock.off", 16), u"NumLock: Off"}};
  bool Hidden() { return !IsWindowVisible(display.Hwnd()); }
};

// Over a focused window, which keeps the foreground and the focus. A click-through tool
// window; a display while one is up restarts its time, and it goes by itself.
TEST_F(OnScreenDisplayWindow, NeverActivatesSitsLowInTheMiddleAndGoesByItself) {
  const test::HiddenWindow typing;
  SetFocus(SetForegroundWindow(typing.hwnd) ? typing.hwnd : nullptr);
  const ULONGLONG start = GetTickCount64();
  display.Show(rows);
  test::PumpUntil([&] { return GetTickCount64() > start + 1000; });
  EXPECT_EQ(std::pair(GetForegroundWindow(), GetFocus()), std::pair(typing.hwnd, typing.hwnd));
  EXPECT_EQ(
      GetWindowLongPtrW(display.Hwnd(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE,
      WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLongPtrW(display.Hwnd(), GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);
  const auto [left, top, width, height] = Place(display);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR(2 * left + width, GetSystemMetrics(SM_CXSCREEN), 1) << "centred";
  EXPECT_TRUE(top > screenHeight / 2 && top + height < screenHeight) << top << "+" << height;
  display.Show(rows);
  test::PumpUntil([&] { return GetTickCount64() > start + 2000; });
  EXPECT_FALSE(Hidden()) << "the second display's time";
  EXPECT_TRUE(test::PumpUntil([&] { return Hidden(); }, 3000));
}

// At 144 dpi half as large again, pictures 48 pixels; one up at 96 whose monitor turns to
// 144 becomes one made there.
TEST_F(OnScreenDisplayWindow, SizedForItsMonitorsDensityAndAgainOnAChange) {
  display.Show(rows);
  const auto [l96, t96, width96, height96] = Place(display);
  const ScopedDpiFunctions seam(test::MonitorsAt144());
  Win32OnScreenDisplay at144{{}, nullptr};
  at144.Show(rows);
  SendMessageW(display.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
  const auto [left, top, width, height] = Place(at144);
  EXPECT_EQ(Place(display), Place(at144));
  EXPECT_EQ(std::pair(display.PictureSize(), height), std::pair(48, height96 * 3 / 2));
  EXPECT_NEAR(width, width96 * 3 / 2, 4);
}

// Busy, a full-screen Direct3D program, a presentation: no display. Any other state, a
// failed query or none at all (Wine's shell): a display.
TEST_F(OnScreenDisplayWindow, SilentWhileTheShellSaysAFullScreenProgramIsInFront) {
  const std::tuple<int, HRESULT, bool> table[] = {
      {1, S_OK, true}, {2, S_OK, false},  {3, S_OK, false}, {4, S_OK, false},
      {7, S_OK, true}, {3, E_FAIL, true}, {5, S_OK, true}};
  for (const auto& [state, answer, shows] : table) {
    shellSays = {state, answer};
    Win32OnScreenDisplay fresh{{}, &ShellQuery};
    fresh.Show(rows);
    EXPECT_EQ(IsWindowVisible(fresh.Hwnd()) != FALSE, shows) << state << " " << answer;
  }
}

// 2000 displays, each replacing the last, then the fade: one window throughout, and every
// GDI object and icon let go. The first display makes the window and the 32-pixel frames.
TEST_F(OnScreenDisplayWindow, HandlesStayFlatOverThousandsOfDisplays) {
  display.Show(rows);
  const auto census = [&] {
    return std::tuple(CountIcons().Live(), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
                      FindWindowExW(nullptr, display.Hwnd(), display.kClassName, nullptr));
  };
  const auto before = census();
  const long gdi = GdiInUse();
  for (int i = 0; i < 2000; ++i) display.Show(rows);
  ASSERT_TRUE(test::PumpUntil([&] { return Hidden(); }, 3000));
  EXPECT_EQ(census(), before) << "icons, windows, a second display window";
  EXPECT_NEAR(GdiInUse(), gdi, 100) << "one object left per display would be 2000";
}

}  // namespace
}  // namespace murvane::win32
