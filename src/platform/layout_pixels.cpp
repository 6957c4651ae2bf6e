#include "platform/layout_pixels.h"

#include <algorithm>
#include <climits>

namespace murvane {

int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

PixelRect ControlRect(const WindowDesc& window, const ControlDesc& control, Dpi dpi) {
  PixelRect rect{TwipsToPixels(control.rect.left, dpi.x), TwipsToPixels(control.rect.top, dpi.y),
                 TwipsToPixels(control.rect.width, dpi.x),
                 TwipsToPixels(control.rect.height, dpi.y)};
  if (!control.parent.empty()) {
    if (const ControlDesc* frame = window.Find(ControlId{control.parent})) {
      const PixelRect corner = ControlRect(window, *frame, dpi);
      rect.left += corner.left;
      rect.top += corner.top;
    }
  }
  return rect;
}

PixelRect ClientRect(const WindowDesc& window, Dpi dpi) {
  return {0, 0, TwipsToPixels(window.clientWidth, dpi.x),
          TwipsToPixels(window.clientHeight, dpi.y)};
}

namespace {

// Pixels at 96 dpi that a control keeps from its text, scaled like the rest.
int TextMargin(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return 8;
    case ControlKind::CheckBox:
      return 18;
    case ControlKind::Frame:
      return 16;
    default:
      return 0;
  }
}

bool ShowsCaption(const ControlDesc& control) {
  const ControlKind kind = control.kind;
  const bool textual = kind == ControlKind::Label || kind == ControlKind::Button ||
                       kind == ControlKind::CheckBox || kind == ControlKind::Frame;
  return textual && control.visible && !control.caption.empty();
}

}  // namespace

std::vector<CaptionRoom> CaptionRooms(const WindowDesc& window, Dpi dpi) {
  std::vector<CaptionRoom> rooms;
  for (const ControlDesc& control : window.controls) {
    if (!ShowsCaption(control)) continue;
    const int margin = (TextMargin(control.kind) * dpi.x + 48) / 96;
    rooms.push_back(
        {control.caption, control.font, ControlRect(window, control, dpi).width - margin});
  }
  return rooms;
}

std::vector<const ControlDesc*> CreationOrder(const WindowDesc& window) {
  std::vector<const ControlDesc*> order;
  for (const ControlDesc& control : window.controls) order.push_back(&control);
  auto rank = [](const ControlDesc* control) {
    return control->tabIndex < 0 ? INT_MAX : control->tabIndex;
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](const ControlDesc* a, const ControlDesc* b) { return rank(a) < rank(b); });
  return order;
}

}  // namespace murvane
