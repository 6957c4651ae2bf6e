#include "platform/qt/tray/notification_area.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include "platform/qt/text.h"

namespace murvane::qt {

struct QtNotificationArea::Icon {
  std::unique_ptr<TrayMenu> menu;
  std::unique_ptr<QSystemTrayIcon> tray = std::make_unique<QSystemTrayIcon>();
  ActivationMapper mapper{QApplication::doubleClickInterval()};
  bool callbacks = false;
  std::int32_t picture = 0;
  QString tip;

  // Hidden at once, deleted later: the icon may be inside one of its own signals.
  ~Icon() {
    tray->disconnect();
    tray->hide();
    tray.release()->deleteLater();
  }
};

QtNotificationArea::QtNotificationArea(QtPictureSource& pictures, WindowRegistry& windows,
                                       TrayMenuSession& menus)
    : pictures_(pictures), windows_(windows), menus_(menus) {
  windows_.OnTrayMenuChanged([this](std::int32_t window) { RefillMenus(window); });
}

QtNotificationArea::~QtNotificationArea() {
  windows_.OnTrayMenuChanged(nullptr);
}

void QtNotificationArea::RefillMenus(std::int32_t window) {
  const WindowRegistry::Entry* entry = windows_.Find(window);
  if (!entry) return;
  for (auto& [key, icon] : icons_) {
    if (key.first == window) FillMenu(icon->menu->Menu(), entry->trayMenu);
  }
}

bool QtNotificationArea::Notify(NotifyMessage message, NotifyIconBuffer& record) {
  const NotifyIconRequest request = ReadNotifyIcon(record);
  const Key key{request.hWnd, request.uID};
  auto found = icons_.find(key);
  switch (message) {
    case NotifyMessage::Add:
      return found == icons_.end() && Add(request);
    case NotifyMessage::Modify:
      if (found == icons_.end()) return false;
      Apply(*found->second, request);
      return true;
    case NotifyMessage::Delete:
      if (found == icons_.end()) return false;
      icons_.erase(found);
      return true;
  }
  return false;
}

// The menu is set before the icon shows: a D-Bus panel offers no menu for an
// icon without one. It starts with the window's pop-up menu, so a panel that
// reads it before the first right click already has the items.
bool QtNotificationArea::Add(const NotifyIconRequest& request) {
  const Key key{request.hWnd, request.uID};
  auto icon = std::make_unique<Icon>();
  icon->menu = std::make_unique<TrayMenu>([this, key] { Deliver(key, kWmRButtonUp); });
  if (const WindowRegistry::Entry* window = windows_.Find(request.hWnd)) {
    if (!window->trayMenu.items.empty()) FillMenu(icon->menu->Menu(), window->trayMenu);
  }
  icon->tray->setContextMenu(&icon->menu->Menu());
  QObject::connect(
      icon->tray.get(), &QSystemTrayIcon::activated, icon->tray.get(),
      [this, key](QSystemTrayIcon::ActivationReason reason) { Activated(key, reason); });
  icon->picture = -1;  // so the first Apply sets whatever picture the record names
  Apply(*icon, request);
  icon->tray->show();
  icons_[key] = std::move(icon);
  return true;
}

// Only real changes reach Qt: every setIcon makes the panel fetch the picture anew.
void QtNotificationArea::Apply(Icon& icon, const NotifyIconRequest& request) {
  if (request.uFlags & kNifMessage) icon.callbacks = true;
  if ((request.uFlags & kNifIcon) && request.hIcon != icon.picture) {
    icon.picture = request.hIcon;
    icon.tray->setIcon(pictures_.IconOf(request.hIcon));
    ++pictureSets_;
  }
  if (!(request.uFlags & kNifTip)) return;
  const QString tip = ToQString(FromUtf8Bytes(request.tip));
  if (tip != icon.tip) {
    icon.tip = tip;
    icon.tray->setToolTip(tip);
    ++tipSets_;
  }
}

void QtNotificationArea::Activated(Key key, QSystemTrayIcon::ActivationReason reason) {
  auto found = icons_.find(key);
  if (found == icons_.end()) return;
  const auto message = found->second->mapper.Map(reason, QDateTime::currentMSecsSinceEpoch());
  if (message) Deliver(key, *message);
}

// Later, from the event loop: Qt is still inside the signal, and the program may
// delete this very icon.
void QtNotificationArea::Deliver(Key key, std::uint32_t mouseMessage) {
  QTimer::singleShot(0, &deliveries_, [this, key, mouseMessage] {
    auto found = icons_.find(key);
    const WindowRegistry::Entry* window = windows_.Find(key.first);
    if (found == icons_.end() || !window || !found->second->callbacks) return;
    NativeWindowEvents& events = *window->events;
    const auto id = static_cast<std::uint32_t>(key.second);
    if (mouseMessage != kWmRButtonUp) return events.OnTrayCallback(id, mouseMessage);
    menus_.Deliver(*found->second->menu, [&] { events.OnTrayCallback(id, mouseMessage); });
  });
}

void QtNotificationArea::ForgetAll() {
  icons_.clear();
}

QSystemTrayIcon* QtNotificationArea::Find(std::int32_t window, std::int32_t id) const {
  auto found = icons_.find({window, id});
  return found == icons_.end() ? nullptr : found->second->tray.get();
}

}  // namespace murvane::qt
