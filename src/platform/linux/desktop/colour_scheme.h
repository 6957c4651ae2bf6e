// Whether the desktop's panel, where the tray sits, is dark. A tray program
// cannot see the panel's colour, so it follows what the desktop says it prefers:
// the XDG desktop portal's appearance setting, and GNOME, whose top bar is dark
// in both of its modes.
#pragma once

#include <QDBusVariant>
#include <QObject>
#include <functional>

namespace murvane::linux_desktop {

class DesktopColourScheme final : public QObject {
  Q_OBJECT

 public:
  // Reads the preference once now, then follows the portal's announcements.
  DesktopColourScheme();

  bool PrefersDark() const { return dark_; }
  // onChange runs when the answer of PrefersDark changes.
  void OnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

 private Q_SLOTS:
  void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

 private:
  bool gnome_ = false;
  bool dark_ = false;
  std::function<void()> onChange_;
};

}  // namespace murvane::linux_desktop
