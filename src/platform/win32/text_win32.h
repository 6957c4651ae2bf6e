// Text at the Win32 edge: the program's UTF-16 texts are wchar_t texts on Windows,
// and the "A" functions want the ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace murvane::win32 {

// wchar_t is 16 bits on Windows, so these copy unit for unit.
inline std::wstring Wide(std::u16string_view text) {
  return {text.begin(), text.end()};
}
inline std::u16string Utf16(std::wstring_view text) {
  return {text.begin(), text.end()};
}

// Whole-length conversions: embedded NULs pass through, characters the code page
// lacks become its default character.
std::string ToAnsiBytes(std::u16string_view text);
std::u16string FromAnsiBytes(std::string_view bytes);

class Win32AnsiCodePage final : public AnsiCodePage {
 public:
  std::string ToAnsi(const std::u16string& text) override { return ToAnsiBytes(text); }
  std::u16string FromAnsi(const std::string& bytes) override { return FromAnsiBytes(bytes); }
};

}  // namespace murvane::win32
