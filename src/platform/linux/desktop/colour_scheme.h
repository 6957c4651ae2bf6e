// Whether the desktop's panel, where the tray sits, is dark. A tray program
// cannot see the panel's colour, so it follows what the desktop says it prefers:
// the XDG desktop portal's appearance setting, and GNOME, whose top bar is dark
// in both of its modes.
#pragma once

#include <QDBusVariant>
#include <QObject>
#include <functional>

class QDBusPendingCallWatcher;

namespace murvane::linux_desktop {

class DesktopColourScheme final : public QObject {
  Q_OBJECT

 public:
  // `desktop` is XDG_CURRENT_DESKTOP. Asks the portal and returns at once: a
  // portal that is still starting, or stuck, must not hold the icons back, so
  // the answer is light until the portal's comes. Then follows its announcements.
  explicit DesktopColourScheme(const QString& desktop);

  bool PrefersDark() const { return dark_; }
  // onChange runs when the answer of PrefersDark changes.
  void OnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

 private Q_SLOTS:
  void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

 private:
  void ReadAnswered(QDBusPendingCallWatcher* read);
  void Become(bool dark);

  bool dark_ = false;
  bool announced_ = false;  // an announcement is newer than any answer to the read
  std::function<void()> onChange_;
};

}  // namespace murvane::linux_desktop
