// The program's windows built from their layout tables: controls placed in pixels at the
// window's density, from creation or from a later WM_DPICHANGED, in fonts their captions fit. A
// monitor at 144 dpi is simulated through the density functions' seam. The tab order is checked on
// the table (config_window_test) and by the keys scripts/e2e presses.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <tuple>

#include "platform/layout_pixels.h"
#include "platform/win32/fonts_win32.h"
#include "platform/win32/window_system_win32.h"
#include "support/win32_test_support.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

using test::RecordingEvents;

template <class... Parts>
std::string Line(const Parts&... parts) {
  std::ostringstream out;
  ((out << parts << ' '), ...);
  return out.str();
}

// Where the layout puts everything at a density, in the words of Placed below; and what sits
// in a frame lies inside it.
std::vector<std::string> LaidOut(const WindowDesc& layout, Dpi dpi, int icon) {
  const PixelRect client = ClientRect(layout, dpi);
  std::vector<std::string> lines{Line("client", client.width, client.height, "icons", icon, icon)};
  for (const ControlDesc& desc : layout.controls) {
    if (desc.kind == ControlKind::Timer || desc.kind == ControlKind::Line) continue;
    const PixelRect r = ControlRect(layout, desc, dpi);
    lines.push_back(Line(RecordingEvents::Name(desc.id), r.left, r.top, r.width, r.height));
    const ControlDesc* parent = layout.Find({desc.parent});
    const PixelRect f = parent ? ControlRect(layout, *parent, dpi) : client;
    EXPECT_TRUE(r.left > f.left && r.top > f.top && r.left + r.width < f.left + f.width &&
                r.top + r.height < f.top + f.height)
        << desc.id.name << " outside " << desc.parent;
  }
  return lines;
}

// What a window looks like from outside: its client size, the sizes its pictures and its
// title-bar icon are drawn at, each control's place and, if asked, its font.
std::vector<std::string> Placed(const Win32Window& window, const WindowDesc& layout, bool fonts) {
  RECT r{};
  GetClientRect(window.Hwnd(), &r);
  const auto icon = SendMessageW(window.Hwnd(), WM_GETICON, ICON_SMALL, 0);
  std::vector<std::string> lines{Line("client", r.right, r.bottom, "icons", window.PictureSize(),
                                      test::IconWidth(reinterpret_cast<HICON>(icon)))};
  for (const ControlDesc& desc : layout.controls) {
    const HWND control = window.ControlWindow(desc.id);
    if (!control) continue;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    const std::wstring face = font.lfFaceName;
    lines.push_back(
        Line(RecordingEvents::Name(desc.id), r.left, r.top, r.right - r.left, r.bottom - r.top) +
        (fonts ? Line(font.lfHeight, font.lfWeight, std::string(face.begin(), face.end())) : ""));
  }
  return lines;
}

const Win32Window& Native(const std::unique_ptr<NativeWindow>& window) {
  return static_cast<const Win32Window&>(*window);
}

TEST(WindowLayout, TwipsBecomePixelsWithHalvesRoundedAway) {
  const std::tuple<int, int, int> cases[] = {
      {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}, {1275, 144, 128}};
  for (const auto& [twips, dpi, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
  }
}

TEST(WindowLayout, ARasterFaceGivesWayWhereItHasNoSuchSize) {
  EXPECT_EQ(ChooseFace(L"MS Sans Serif", 11), L"MS Sans Serif");
  const std::wstring at144 = ChooseFace(L"MS Sans Serif", 17);
  EXPECT_NE(at144, L"MS Sans Serif");
  EXPECT_TRUE(DrawsExactly(at144, 17)) << "stand-in drawn at another size";
  EXPECT_TRUE(DrawsExactly(ChooseFace(L"No Such Face", 13), 13));
}

TEST(WindowLayout, EveryCaptionFitsItsControlAtEachDensity) {
  for (int dpi : {96, 120, 144, 192}) {
    for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
      WindowFonts fonts(dpi);
      const std::vector<CaptionRoom> rooms = CaptionRooms(*layout, {dpi, dpi});
      fonts.Fit(rooms);
      for (const CaptionRoom& room : rooms) {
        EXPECT_LE(CaptionWidth(fonts.For(room.font), room.text), room.width)
            << dpi << " dpi: " << std::string(room.text.begin(), room.text.end());
      }
    }
  }
}

// A taskbar at the top lowers the work area while it lives.
struct TaskbarAtTheTop {
  RECT work{};
  TaskbarAtTheTop() {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT lowered{0, 200, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &lowered, 0);
  }
  ~TaskbarAtTheTop() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0); }
};

// Each window created at 96 dpi (with the newer density functions hidden, as on Windows 7,
// and with the system's) and at 144; and one created at 96 then told WM_DPICHANGED to 144,
// which must then look exactly like the one created at 144, fonts included.
TEST(WindowLayout, WindowsAtEachDensityAreWhereTheLayoutSays) {
  ASSERT_NE(NewerDpiFunctions().getDpiForWindow, nullptr) << "Wine has them; the seam hides them";
  const TaskbarAtTheTop taskbar;
  const POINT screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const std::tuple<const char*, DpiFunctions, int, int> rows[] = {
      {"Windows 7", DpiFunctions{}, 96, 16},
      {"system's", NewerDpiFunctions(), 96, 16},
      {"at 144", test::MonitorsAt144(), 144, 24}};
  for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
    RecordingEvents events;
    Win32WindowSystem system;
    std::vector<std::unique_ptr<NativeWindow>> made;
    for (const auto& [name, functions, dpi, icon] : rows) {
      const ScopedDpiFunctions seam(functions);
      made.push_back(system.CreateNativeWindow(*layout, events));
      EXPECT_EQ(Placed(Native(made.back()), *layout, false), LaidOut(*layout, {dpi, dpi}, icon))
          << name;
    }
    // The arithmetic itself, at a density not the machine's.
    const std::string client = Placed(Native(made[2]), *layout, false)[0];
    EXPECT_TRUE(layout != &ConfigWindowLayout() || client == "client 540 405 icons 24 24 ")
        << client;
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
    EXPECT_EQ(Placed(Native(moved), *layout, true), Placed(Native(made[2]), *layout, true));
    GetWindowRect(Native(moved).Hwnd(), &outer);
    EXPECT_EQ(std::pair(outer.left, outer.top), std::pair(20L, 30L)) << "the suggested corner";
  }
}

}  // namespace
}  // namespace murvane::win32
