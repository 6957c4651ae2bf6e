#include "platform/win32/fonts_win32.h"

#include <cmath>
#include <cwchar>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool HasFontFace(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

WindowFonts::WindowFonts(int dpiY) : dpiY_(dpiY) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  dialogFont_ = metrics.lfMessageFont;
  default_ = CreateFontIndirectW(&dialogFont_);
}

WindowFonts::~WindowFonts() {
  for (const Made& made : made_) DeleteObject(made.font);
  DeleteObject(default_);
}

HFONT WindowFonts::For(const FontDesc& font) {
  if (font.face.empty()) return default_;
  for (const Made& made : made_) {
    const FontDesc& d = made.desc;
    if (d.face == font.face && d.points == font.points && d.bold == font.bold &&
        d.underline == font.underline) {
      return made.font;
    }
  }
  LOGFONTW wanted = dialogFont_;
  const std::wstring face = Wide(font.face);
  if (HasFontFace(face.c_str())) {
    std::wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    wanted.lfFaceName[LF_FACESIZE - 1] = L'\0';
  }
  wanted.lfHeight = -static_cast<LONG>(std::lround(font.points * dpiY_ / 72.0));
  wanted.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  wanted.lfUnderline = font.underline ? TRUE : FALSE;
  wanted.lfItalic = FALSE;
  HFONT made = CreateFontIndirectW(&wanted);
  made_.push_back({font, made});
  return made;
}

}  // namespace murvane::win32
