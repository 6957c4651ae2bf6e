// Turns Qt's tray activations into the mouse messages the program expects from
// the Windows shell.
#pragma once

#include <QSystemTrayIcon>
#include <cstdint>
#include <optional>

namespace murvane::qt {

constexpr std::uint32_t kWmLButtonUp = 514;
constexpr std::uint32_t kWmLButtonDblClk = 515;
constexpr std::uint32_t kWmRButtonUp = 517;
constexpr std::uint32_t kWmMButtonUp = 520;

// One per icon. Hosts differ around a double click: XEmbed sends Trigger then
// DoubleClick, some D-Bus hosts three Triggers; a Trigger that follows another
// activation within the double-click time is noise and is dropped. The context
// activation maps to nothing: the tray menu says when the right button counts.
class ActivationMapper {
 public:
  explicit ActivationMapper(int doubleClickMs) : doubleClickMs_(doubleClickMs) {}

  std::optional<std::uint32_t> Map(QSystemTrayIcon::ActivationReason reason, std::int64_t nowMs);

 private:
  int doubleClickMs_;
  std::optional<std::int64_t> lastClickMs_;
  bool doubleSent_ = false;
};

}  // namespace murvane::qt
