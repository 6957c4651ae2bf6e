// The 88-byte tray record as the Linux tray reads it.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/notify_icon_buffer.h"

namespace murvane::qt {

struct TrayRequest {
  std::int32_t window = 0;
  std::int32_t id = 0;
  std::int32_t flags = 0;
  std::int32_t callbackMessage = 0;
  std::int32_t picture = 0;
  QString tip;  // up to the first NUL, never ending in half a character
};

TrayRequest DecodeTrayRecord(const NotifyIconBuffer& record);

}  // namespace murvane::qt
