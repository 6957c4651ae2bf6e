// The notification area on Qt: one QSystemTrayIcon for each (window, icon id),
// answering like the Windows shell does.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "platform/platform.h"
#include "platform/qt/pictures/pictures.h"
#include "platform/qt/tray/activation.h"
#include "platform/qt/tray/tray_menu.h"
#include "platform/qt/windows/window_registry.h"

namespace murvane::qt {

class QtNotificationArea final : public NotificationArea {
 public:
  QtNotificationArea(QtPictureSource& pictures, WindowRegistry& windows, TrayMenuSession& menus);
  ~QtNotificationArea() override;
  QtNotificationArea(const QtNotificationArea&) = delete;
  QtNotificationArea& operator=(const QtNotificationArea&) = delete;

  bool Notify(NotifyMessage message, NotifyIconBuffer& record) override;
  bool GroundIsDark() override { return groundIsDark_ && groundIsDark_(); }
  // Who knows the panel's colour; without it the ground counts as light.
  void AskGroundWith(std::function<bool()> isDark) { groundIsDark_ = std::move(isDark); }

  // The panel went away and came back: it knows none of the icons any more.
  void ForgetAll();

  QSystemTrayIcon* Find(std::int32_t window, std::int32_t id) const;
  // How often each icon's picture and tip were really set, for the tests.
  int PictureSets() const { return pictureSets_; }
  int TipSets() const { return tipSets_; }

 private:
  struct Icon;
  using Key = std::pair<std::int32_t, std::int32_t>;

  bool Add(const NotifyIconRequest& request);
  void Apply(Icon& icon, const NotifyIconRequest& request);
  void RefillMenus(std::int32_t window);
  void Activated(Key key, QSystemTrayIcon::ActivationReason reason);
  void Deliver(Key key, std::uint32_t mouseMessage);

  QtPictureSource& pictures_;
  WindowRegistry& windows_;
  TrayMenuSession& menus_;
  QObject deliveries_;  // gone with this object, so no late delivery finds it gone
  std::map<Key, std::unique_ptr<Icon>> icons_;
  int pictureSets_ = 0;
  int tipSets_ = 0;
  std::function<bool()> groundIsDark_;
};

}  // namespace murvane::qt
