#include "platform/win32/fonts_win32.h"

#include <cmath>
#include <cwchar>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

LOGFONTW FontOf(const std::wstring& face, int emPixels) {
  LOGFONTW wanted{};
  wanted.lfHeight = -emPixels;
  wanted.lfWeight = FW_NORMAL;
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return wanted;
}

std::wstring MessageFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics.lfMessageFont.lfFaceName;
}

// Runs the measurement with the font selected into a screen context.
template <class Measure>
auto WithFont(HFONT font, Measure measure) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  auto result = measure(screen);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return result;
}

bool Same(const FontDesc& a, const FontDesc& b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold && a.underline == b.underline;
}

// Every description with an empty face stands for the designed default.
const FontDesc& Resolved(const FontDesc& font) {
  return font.face.empty() ? kDesignedFont : font;
}

}  // namespace

bool DrawsExactly(const std::wstring& face, int emPixels) {
  const LOGFONTW wanted = FontOf(face, emPixels);
  HFONT font = CreateFontIndirectW(&wanted);
  const bool exact = WithFont(font, [&](HDC dc) {
    wchar_t drawn[LF_FACESIZE] = {};
    TEXTMETRICW metrics{};
    GetTextFaceW(dc, LF_FACESIZE, drawn);
    GetTextMetricsW(dc, &metrics);
    return lstrcmpiW(drawn, face.c_str()) == 0 &&
           metrics.tmHeight - metrics.tmInternalLeading == emPixels;
  });
  DeleteObject(font);
  return exact;
}

// Microsoft Sans Serif is the scalable twin of MS Sans Serif, with its widths;
// Tahoma comes close; the message font is there on every system.
std::wstring ChooseFace(const std::wstring& designed, int emPixels) {
  const std::wstring message = MessageFace();
  for (const std::wstring& face :
       {designed, std::wstring(L"Microsoft Sans Serif"), std::wstring(L"Tahoma"), message}) {
    if (DrawsExactly(face, emPixels)) return face;
  }
  return message;
}

int CaptionWidth(HFONT font, const std::u16string& caption) {
  std::wstring shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    shown.push_back(static_cast<wchar_t>(caption[i]));
  }
  return WithFont(font, [&](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    return static_cast<int>(size.cx);
  });
}

WindowFonts::~WindowFonts() {
  for (const Made& made : made_) DeleteObject(made.font);
}

int WindowFonts::EmPixels(const FontDesc& font) const {
  return static_cast<int>(std::lround(font.points * dpiY_ / 72.0));
}

HFONT WindowFonts::Make(const FontDesc& font, int emPixels) const {
  LOGFONTW wanted = FontOf(ChooseFace(Wide(font.face), emPixels), emPixels);
  wanted.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  wanted.lfUnderline = font.underline ? TRUE : FALSE;
  return CreateFontIndirectW(&wanted);
}

HFONT WindowFonts::For(const FontDesc& wanted) {
  const FontDesc& font = Resolved(wanted);
  for (const Made& made : made_) {
    if (Same(made.desc, font)) return made.font;
  }
  made_.push_back({font, Make(font, EmPixels(font))});
  return made_.back().font;
}

HFONT WindowFonts::FittedFont(const FontDesc& font,
                              const std::vector<CaptionRoom>& captions) const {
  const int designed = EmPixels(font);
  for (int em = designed;; --em) {
    HFONT candidate = Make(font, em);
    bool fits = true;
    for (const CaptionRoom& room : captions) {
      const FontDesc& roomFont = Resolved(room.font);
      if (Same(roomFont, font) && CaptionWidth(candidate, room.text) > room.width) fits = false;
    }
    if (fits || em <= designed * 4 / 5) return candidate;
    DeleteObject(candidate);
  }
}

void WindowFonts::Fit(const std::vector<CaptionRoom>& captions) {
  for (const CaptionRoom& room : captions) {
    const FontDesc& font = Resolved(room.font);
    bool done = false;
    for (const Made& made : made_) done = done || Same(made.desc, font);
    if (!done) made_.push_back({font, FittedFont(font, captions)});
  }
}

}  // namespace murvane::win32
