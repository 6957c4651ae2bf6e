// The fonts of one window, made from the layout's font descriptions.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/form_desc.h"
#include "platform/layout_pixels.h"

namespace murvane::win32 {

// The face and size the windows were designed in where the layout names none.
inline const FontDesc kDesignedFont{u"MS Sans Serif", 8.25, false, false};

class WindowFonts {
 public:
  explicit WindowFonts(int dpiY) : dpiY_(dpiY) {}
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  // The font for a description; an empty face means the designed default.
  HFONT For(const FontDesc& font);
  // A stand-in face, or the designed one on another system, may draw wider
  // than the layout allowed for; such a font gives up a pixel at a time, down
  // to four fifths of its size, until each caption set in it fits its room.
  void Fit(const std::vector<CaptionRoom>& captions);

 private:
  struct Made {
    FontDesc desc;
    HFONT font;
  };
  HFONT Make(const FontDesc& font, int emPixels) const;
  int EmPixels(const FontDesc& font) const;
  HFONT FittedFont(const FontDesc& font, const std::vector<CaptionRoom>& captions) const;

  int dpiY_;
  std::vector<Made> made_;
};

// The face to draw a designed face in at this size: the designed face itself
// when the system draws it at exactly that size (a raster face has only a few),
// otherwise the first scalable stand-in the system has.
std::wstring ChooseFace(const std::wstring& designed, int emPixels);

// Whether the system draws this face at exactly this em height.
bool DrawsExactly(const std::wstring& face, int emPixels);

// The caption's width in pixels in the font, access-key ampersands left out.
int CaptionWidth(HFONT font, const std::u16string& caption);

}  // namespace murvane::win32
