// The fonts of one window, made from the layout's font descriptions.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/form_desc.h"

namespace murvane::win32 {

class WindowFonts {
 public:
  explicit WindowFonts(int dpiY);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  // The font for a description; an empty face means the window's default font,
  // and a face the system lacks falls back to the dialog font's face.
  HFONT For(const FontDesc& font);
  HFONT Default() const { return default_; }

 private:
  struct Made {
    FontDesc desc;
    HFONT font;
  };
  int dpiY_;
  LOGFONTW dialogFont_{};
  HFONT default_ = nullptr;
  std::vector<Made> made_;
};

// Whether the system has a font of this exact face.
bool HasFontFace(const wchar_t* face);

}  // namespace murvane::win32
