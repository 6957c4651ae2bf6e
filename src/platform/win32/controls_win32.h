// Native controls made from a layout's control descriptions, and the drawing of
// the kinds the system has no control for (images, lines).
#pragma once

#include <windows.h>

#include "platform/layout_pixels.h"
#include "platform/platform.h"

namespace murvane::win32 {

// One control of a window as the native side holds it: what it shows now.
struct NativeControl {
  const ControlDesc* desc = nullptr;
  HWND hwnd = nullptr;  // none for lines and timers
  int commandId = 0;
  PixelRect rect;
  ControlView view;
};

// Creates the control's child window (nothing for lines and timers) at `at` in
// its parent, hidden when the layout says so, with a tab stop only when it can
// take the focus. A frame passes on to the window what its controls tell it; a
// link opens from the keyboard too, and shows when it has the focus.
HWND CreateControlWindow(HWND parent, const PixelRect& at, const NativeControl& control,
                         HFONT font);

// Makes a shown control show `view`, touching only what changed.
void MirrorView(NativeControl& control, const ControlView& view);

// The picture is drawn as its frame for `pictureSize`, the window's small-icon size.
void DrawImage(const DRAWITEMSTRUCT& item, const NativeControl& control, int pictureSize);
void DrawLine(HDC dc, const NativeControl& line);

}  // namespace murvane::win32
