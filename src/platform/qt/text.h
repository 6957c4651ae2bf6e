// Text at the Linux edge: the "ANSI code page" is the locale's charset, which on
// every desktop this build serves is UTF-8, so nothing is lost on the way out.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace murvane::qt {

inline QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

// Whole-length conversions: embedded NULs pass through. A lone surrogate becomes
// U+FFFD; bytes cut in the middle of a character at the end are dropped.
std::string ToUtf8Bytes(std::u16string_view text);
std::u16string FromUtf8Bytes(std::string_view bytes);

// The longest head of `bytes` no longer than `limit` that ends on a character boundary.
std::string_view CutOnCharacter(std::string_view bytes, std::size_t limit);

class Utf8CodePage final : public AnsiCodePage {
 public:
  std::string ToAnsi(const std::u16string& text) override { return ToUtf8Bytes(text); }
  std::u16string FromAnsi(const std::string& bytes) override { return FromUtf8Bytes(bytes); }
};

}  // namespace murvane::qt
