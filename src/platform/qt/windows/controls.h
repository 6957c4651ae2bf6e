// Widgets made from a layout's control descriptions, placed as the layout says at
// the screen's density, and kept showing what the form model holds.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>

#include "platform/layout_pixels.h"
#include "platform/platform.h"
#include "platform/qt/windows/control_widgets.h"

class QTimer;

namespace murvane::qt {

struct NativeControl {
  const ControlDesc* desc = nullptr;
  QWidget* widget = nullptr;  // none for lines and timers
  QTimer* timer = nullptr;
  PixelRect rect;
  int designedPixelSize = 0;  // the font's size before a long caption shrank it
  ControlView view;
};

// The designed face is a Windows one; the desktop's sans face stands in for it at
// the designed size, in pixels of the given density.
QFont FontFor(const FontDesc& font, int dpiY);

// Makes the control's widget (nothing for lines and timers) as a child of
// `parent`, whose top left corner is at `parentCorner` in the window, hidden
// when the layout says so, focusable only when it can take the focus. A
// caption too wide for its control gets a smaller font.
QWidget* CreateControlWidget(QWidget& parent, QPoint parentCorner, const NativeControl& control,
                             const QFont& font, const IconLookup& icons);

// Makes a control show `view`, touching only what changed.
void MirrorView(NativeControl& control, const ControlView& view);

// Whether the widget's caption fits inside it with its font.
bool CaptionFits(const QWidget& widget);

}  // namespace murvane::qt
