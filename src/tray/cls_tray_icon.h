// One icon in the notification area, held as the shell's own NOTIFYICONDATA
// record (its first, 88-byte form). The class knows nothing of keys or pictures.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace murvane {

constexpr std::size_t kTipLength = 64;  // characters, the terminating NUL included

class clsTrayIcon {
 public:
  clsTrayIcon(NotificationArea& shell, AnsiCodePage& ansi);

  // Each returns the shell's answer: 1 when it carried the request out, 0 when it refused.
  std::int16_t Add();
  std::int16_t Modify();
  std::int16_t Delete();

  // The caller's text plus a NUL, filled up with blanks to 64 characters. Text
  // that leaves no room for the NUL is cut to 63 characters.
  void szTip(const std::u16string& vData);
  std::u16string szTip();
  void hIcon(std::int32_t vData);
  std::int32_t hIcon();
  void uCallbackMessage(std::int32_t vData);
  std::int32_t uCallbackMessage();
  void uFlags(std::int32_t vData);
  std::int32_t uFlags();
  void uId(std::int32_t vData);
  std::int32_t uId();
  void hWnd(std::int32_t vData);
  std::int32_t hWnd();

 private:
  // The record as the program last set it or the shell last gave it back.
  struct Record {
    std::int32_t cbSize = static_cast<std::int32_t>(kNotifyIconDataSize);
    std::int32_t hWnd = 0;
    std::int32_t uID = 0;
    std::int32_t uFlags = 0;
    std::int32_t uCallbackMessage = 0;
    std::int32_t hIcon = 0;
    std::u16string szTip = std::u16string(kTipLength, u'\0');
  };

  std::int16_t Send(NotifyMessage message);
  NotifyIconBuffer ToBuffer();
  std::string AnsiTip();
  void FromBuffer(const NotifyIconBuffer& buffer);

  NotificationArea& shell_;
  AnsiCodePage& ansi_;
  Record record_;
};

}  // namespace murvane
