// A tray record as the program builds it, for the notification-area tests of each backend.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/notify_icon_buffer.h"

namespace murvane::test {

// Every field filled in; the tip, its NUL if it fits, then blanks to 64 bytes.
inline NotifyIconBuffer TrayRecord(std::int32_t window, std::int32_t id, std::int32_t picture,
                                   const std::string& tip = "") {
  NotifyIconBuffer record{};
  for (const auto& [field, value] : {std::pair(NotifyIconField::cbSize, 88),
                                     {NotifyIconField::hWnd, window},
                                     {NotifyIconField::uID, id},
                                     {NotifyIconField::uFlags, 7},
                                     {NotifyIconField::uCallbackMessage, 512},
                                     {NotifyIconField::hIcon, picture}})
    WriteField(record, field, value);
  std::memset(record.data() + kNotifyTipOffset, ' ', kNotifyTipBytes);
  std::memcpy(record.data() + kNotifyTipOffset, tip.c_str(),
              std::min(tip.size() + 1, kNotifyTipBytes));
  return record;
}

}  // namespace murvane::test
