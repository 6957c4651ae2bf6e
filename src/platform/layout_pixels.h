// Where a layout's controls go on a screen of a given density. Pure arithmetic, so
// it can be checked at densities the test machine does not have.
#pragma once

#include <string>
#include <vector>

#include "forms/form_desc.h"

namespace murvane {

struct Dpi {
  int x = 96;
  int y = 96;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, halves away from zero.
int TwipsToPixels(int twips, int dpi);

// A control's rectangle in its window's client area. A control inside a frame is
// laid out relative to the frame's corner. For a line, width and height are the
// offsets from its start point to its end point.
PixelRect ControlRect(const WindowDesc& window, const ControlDesc& control, Dpi dpi);

// The size of the window's client area.
PixelRect ClientRect(const WindowDesc& window, Dpi dpi);

// A caption, its font, and the width it has to fit in on one line.
struct CaptionRoom {
  std::u16string text;
  FontDesc font;
  int width = 0;
};

// The window's visible captions, each with the room its control leaves for
// text: a button its borders, a checkbox its box, a frame the indent before its
// title.
std::vector<CaptionRoom> CaptionRooms(const WindowDesc& window, Dpi dpi);

// The order to create the controls in: the system moves the focus in creation
// order, so controls with a tab index come first, by index; the rest follow in
// layout order.
std::vector<const ControlDesc*> CreationOrder(const WindowDesc& window);

}  // namespace murvane
