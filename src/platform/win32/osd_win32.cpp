#include "platform/win32/osd_win32.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/window_system_win32.h"

namespace murvane::win32 {
namespace {

// Tool window: off the taskbar and Alt+Tab. Transparent on a layered window: every
// click goes to the window beneath.
constexpr DWORD kExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
constexpr UINT_PTR kTimer = 1;
constexpr UINT kShownMs = 1500;
constexpr UINT kFadeStepMs = 25;
constexpr int kFadeSteps = 8;
constexpr unsigned kPanelOpacity = 232;  // of 255: the work beneath shows faintly through

// Lengths at 96 dpi; every monitor gets them at its own density.
constexpr int kPicture = 32;
constexpr int kPadding = 14;
constexpr int kGap = 12;
constexpr int kRowGap = 6;
constexpr int kRadius = 10;
constexpr int kLift = 48;  // above the work area's bottom edge

struct Palette {
  COLORREF ground;
  COLORREF ink;
};
constexpr Palette kLight{RGB(243, 243, 243), RGB(26, 26, 26)};
constexpr Palette kDark{RGB(38, 38, 38), RGB(255, 255, 255)};

// QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN, QUNS_PRESENTATION_MODE: a full-screen
// program, a game or a slide show is in front.
bool MeansFullScreen(int state) {
  return state >= 2 && state <= 4;
}

int Scaled(int length, int dpi) {
  return MulDiv(length, dpi, 96);
}

struct PanelLayout {
  int picture;
  int padding;
  int gap;
  int rowGap;
  int radius;
  int rowHeight;
  SIZE size;
};

// Measured in the font selected into the context.
PanelLayout LayOut(HDC dc, const std::vector<DisplayRow>& rows, int dpi) {
  PanelLayout layout{Scaled(kPicture, dpi),
                     Scaled(kPadding, dpi),
                     Scaled(kGap, dpi),
                     Scaled(kRowGap, dpi),
                     Scaled(kRadius, dpi),
                     0,
                     {}};
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  layout.rowHeight = std::max<int>(layout.picture, metrics.tmHeight);
  LONG widest = 0;
  for (const DisplayRow& row : rows) {
    const std::wstring text = Wide(row.text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    widest = std::max(widest, extent.cx);
  }
  const int count = static_cast<int>(rows.size());
  layout.size = {2 * layout.padding + layout.picture + layout.gap + widest,
                 2 * layout.padding + count * layout.rowHeight + (count - 1) * layout.rowGap};
  return layout;
}

// Top-down, so row y of the picture is row y of the pixels.
HBITMAP NewPanelBitmap(HDC dc, SIZE size, std::uint32_t*& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels = static_cast<std::uint32_t*>(bits);
  return bitmap;
}

std::uint32_t PixelOf(COLORREF colour) {
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

void DrawRows(HDC dc, const std::vector<DisplayRow>& rows, const PanelLayout& layout,
              COLORREF ink) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ink);
  const int size = layout.picture;
  int top = layout.padding;
  for (const DisplayRow& row : rows) {
    // The picture's own frame for this size where its source has one, so a
    // 16-pixel tray picture is not blown up.
    if (row.picture) {
      DrawIconEx(dc, layout.padding, top + (layout.rowHeight - size) / 2,
                 IconAtSize(IconOf(*row.picture), size), size, size, 0, nullptr, DI_NORMAL);
    }
    RECT text{layout.padding + size + layout.gap, top, layout.size.cx - layout.padding,
              top + layout.rowHeight};
    DrawTextW(dc, Wide(row.text).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    top += layout.rowHeight + layout.rowGap;
  }
}

// How much of the pixel lies inside the rounded outline, 0 to 255; the corners'
// edge is smoothed over one pixel.
unsigned Coverage(int x, int y, SIZE size, int radius) {
  const float px = x + 0.5f, py = y + 0.5f;
  const float dx = px - std::clamp(px, float(radius), float(size.cx - radius));
  const float dy = py - std::clamp(py, float(radius), float(size.cy - radius));
  const float outside = std::sqrt(dx * dx + dy * dy) - float(radius);
  return static_cast<unsigned>(std::clamp((0.5f - outside) * 255.0f, 0.0f, 255.0f));
}

// GDI leaves the alpha bytes of what it draws undefined, so the panel's outline and
// strength go in last, over everything, premultiplied as UpdateLayeredWindow takes them.
void ShapeAndPremultiply(std::uint32_t* pixels, SIZE size, int radius) {
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      std::uint32_t& p = pixels[y * size.cx + x];
      const unsigned a = Coverage(x, y, size, radius) * kPanelOpacity / 255;
      p = a << 24 | ((p >> 16 & 0xFF) * a / 255) << 16 | ((p >> 8 & 0xFF) * a / 255) << 8 |
          (p & 0xFF) * a / 255;
    }
  }
}

}  // namespace

NotificationStateQuery ShellNotificationStateQuery() {
  // shell32 is loaded with the program: the tray's calls are in it.
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  return shell ? reinterpret_cast<NotificationStateQuery>(
                     reinterpret_cast<void*>(GetProcAddress(shell, "SHQueryUserNotificationState")))
               : nullptr;
}

Win32OnScreenDisplay::Win32OnScreenDisplay(std::function<bool()> groundIsDark,
                                           NotificationStateQuery query)
    : groundIsDark_(std::move(groundIsDark)), query_(query) {}

Win32OnScreenDisplay::~Win32OnScreenDisplay() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);  // its timer goes with it
  }
  if (panel_) DeleteObject(panel_);
}

void Win32OnScreenDisplay::Show(const std::vector<DisplayRow>& rows) {
  if (rows.empty() || FullScreenInFront() || !MakeWindow()) return;
  rows_ = rows;
  Draw();
  if (!panel_) return;
  // Shown only once its first frame is in place: never an empty window.
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  fadeStep_ = 0;
  SetTimer(hwnd_, kTimer, kShownMs, nullptr);  // a display already up starts its time again
}

bool Win32OnScreenDisplay::FullScreenInFront() const {
  int state = 0;
  return query_ && SUCCEEDED(query_(&state)) && MeansFullScreen(state);
}

// Made at the first display, not at start-up: a user who never turns the display
// on never has the window.
bool Win32OnScreenDisplay::MakeWindow() {
  if (hwnd_) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // fails harmlessly for a second display object (the tests')
  hwnd_ = CreateWindowExW(kExStyle, kClassName, L"Murvane - Avviso a schermo", WS_POPUP, 0, 0, 0, 0,
                          nullptr, nullptr, GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

void Win32OnScreenDisplay::Draw() {
  HMONITOR monitor = MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(monitor, &info);
  const int dpi = MonitorDpi(monitor);
  HBITMAP panel = Compose(dpi);
  if (!panel) return;
  if (panel_) DeleteObject(panel_);
  panel_ = panel;
  const RECT& work = info.rcWork;
  at_ = {(work.left + work.right - size_.cx) / 2, work.bottom - size_.cy - Scaled(kLift, dpi)};
  Present(255);
}

// The rows on an opaque ground first, so icons and smoothed text blend against the
// panel's own colour; then the outline and the translucency over the whole.
HBITMAP Win32OnScreenDisplay::Compose(int dpi) {
  const Palette palette = groundIsDark_ && groundIsDark_() ? kDark : kLight;
  HDC dc = CreateCompatibleDC(nullptr);
  const NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HGDIOBJ oldFont = SelectObject(dc, font);
  const PanelLayout layout = LayOut(dc, rows_, dpi);
  std::uint32_t* pixels = nullptr;
  HBITMAP panel = NewPanelBitmap(dc, layout.size, pixels);
  if (panel) {
    HGDIOBJ oldBitmap = SelectObject(dc, panel);
    std::fill_n(pixels, layout.size.cx * layout.size.cy, PixelOf(palette.ground));
    DrawRows(dc, rows_, layout, palette.ink);
    GdiFlush();
    ShapeAndPremultiply(pixels, layout.size, layout.radius);
    SelectObject(dc, oldBitmap);
    size_ = layout.size;
    pictureSize_ = layout.picture;
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
  DeleteDC(dc);
  return panel;
}

void Win32OnScreenDisplay::Present(BYTE alpha) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, panel_);
  POINT origin{};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd_, nullptr, &at_, &size_, dc, &origin, 0, &blend, ULW_ALPHA);
  SelectObject(dc, old);
  DeleteDC(dc);
}

// One timer: first the time the display stays, then the fade's steps.
void Win32OnScreenDisplay::Fade() {
  if (++fadeStep_ >= kFadeSteps) return Hide();
  Present(static_cast<BYTE>(255 * (kFadeSteps - fadeStep_) / kFadeSteps));
  SetTimer(hwnd_, kTimer, kFadeStepMs, nullptr);
}

void Win32OnScreenDisplay::Hide() {
  KillTimer(hwnd_, kTimer);
  ShowWindow(hwnd_, SW_HIDE);
  DeleteObject(panel_);
  panel_ = nullptr;
  rows_.clear();  // the pictures go back to their owners
}

LRESULT CALLBACK Win32OnScreenDisplay::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32OnScreenDisplay*>(
        reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32OnScreenDisplay*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  GuardedCall([&] { result = self->OnMessage(message, wParam, lParam); });
  return result;
}

LRESULT Win32OnScreenDisplay::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      Fade();
      return 0;
    case WM_DPICHANGED:
      // Its monitor's scale changed while it was up: laid out again at the new one.
      if (panel_) Draw();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace murvane::win32
