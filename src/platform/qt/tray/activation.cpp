#include "platform/qt/tray/activation.h"

namespace murvane::qt {

std::optional<std::uint32_t> ActivationMapper::Map(QSystemTrayIcon::ActivationReason reason,
                                                   std::int64_t nowMs) {
  const bool soonAfterClick = lastClickMs_ && nowMs - *lastClickMs_ <= doubleClickMs_;
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      if (soonAfterClick) return std::nullopt;
      lastClickMs_ = nowMs;
      doubleSent_ = false;
      return kWmLButtonUp;
    case QSystemTrayIcon::DoubleClick:
      if (soonAfterClick && doubleSent_) return std::nullopt;
      lastClickMs_ = nowMs;
      doubleSent_ = true;
      return kWmLButtonDblClk;
    case QSystemTrayIcon::MiddleClick:
      return kWmMButtonUp;
    case QSystemTrayIcon::Context:
    case QSystemTrayIcon::Unknown:
      break;
  }
  return std::nullopt;
}

}  // namespace murvane::qt
