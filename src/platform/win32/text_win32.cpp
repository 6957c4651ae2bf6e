#include "platform/win32/text_win32.h"

#include <windows.h>

namespace murvane::win32 {
namespace {

// Without this a character the code page lacks becomes a look-alike (Ā turns
// into A), so a path could name another file. The UTF-8 code page that newer
// Windows can be set to takes no flags at all.
DWORD NoBestFit() {
  return GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
}

}  // namespace

std::string ToAnsiBytes(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide = Wide(text);
  const int length = static_cast<int>(wide.size());
  const DWORD flags = NoBestFit();
  const int bytes =
      WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, result.data(), bytes, nullptr, nullptr);
  return result;
}

std::u16string FromAnsiBytes(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, result.data(), units);
  return Utf16(result);
}

}  // namespace murvane::win32
