// Qt's headers first: Xlib defines Bool, Status and None as macros.
#include "platform/linux/desktop/tray_host.h"

#include "platform/linux/session/bus_probe.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xlib.h>

namespace murvane::linux_desktop {
namespace {

constexpr int kLookEveryMs = 250;
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

}  // namespace

// XEmbed trays serve only programs on X: anywhere else Qt uses D-Bus, and an X
// connection of ours on Wayland would only start XWayland for nothing.
TrayHost::TrayHost()
    : display_(QGuiApplication::platformName() == QLatin1String("xcb") ? XOpenDisplay(nullptr)
                                                                       : nullptr),
      bus_(HaveSessionBus()) {
  if (!display_) return;
  const QByteArray selection = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen(display_));
  trayAtom_ = XInternAtom(display_, selection.constData(), False);
  managerAtom_ = XInternAtom(display_, "MANAGER", False);
}

TrayHost::~TrayHost() {
  notifier_.reset();
  if (display_) XCloseDisplay(display_);
}

bool TrayHost::XEmbedTrayPresent() {
  return display_ && XGetSelectionOwner(display_, trayAtom_) != None;
}

bool TrayHost::DBusHostPresent() {
  if (!bus_) return false;
  QDBusInterface watcher(kWatcherService, QStringLiteral("/StatusNotifierWatcher"), kWatcherService,
                         QDBusConnection::sessionBus());
  return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

bool TrayHost::Present() {
  return XEmbedTrayPresent() || DBusHostPresent();
}

void TrayHost::WaitForHost(int lateMs, const std::function<void()>& onLate) {
  if ((!display_ && !bus_) || Present()) return;
  QEventLoop loop;
  QTimer look;
  QTimer late;
  late.setSingleShot(true);
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (Present()) loop.quit();
  });
  QObject::connect(&late, &QTimer::timeout, &loop, [&] {
    if (onLate) onLate();
  });
  look.start(kLookEveryMs);
  late.start(lateMs);
  loop.exec();
}

// A tray that takes the selection announces itself with a MANAGER message to
// the root window; a D-Bus watcher that (re)starts takes its well-known name.
void TrayHost::WatchForNewHosts(std::function<void()> onNewHost) {
  onNewHost_ = std::move(onNewHost);
  if (display_) {
    XSelectInput(display_, DefaultRootWindow(display_), StructureNotifyMask);
    XFlush(display_);
    notifier_ =
        std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { ReadXEvents(); });
  }
  if (bus_) {
    watcher_ = std::make_unique<QDBusServiceWatcher>(kWatcherService, QDBusConnection::sessionBus(),
                                                     QDBusServiceWatcher::WatchForRegistration);
    QObject::connect(watcher_.get(), &QDBusServiceWatcher::serviceRegistered, watcher_.get(),
                     [this] { onNewHost_(); });
  }
}

void TrayHost::ReadXEvents() {
  bool newHost = false;
  while (XEventsQueued(display_, QueuedAfterReading) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    newHost =
        newHost || (event.type == ClientMessage && event.xclient.message_type == managerAtom_ &&
                    static_cast<unsigned long>(event.xclient.data.l[1]) == trayAtom_);
  }
  if (newHost && onNewHost_) onNewHost_();
}

}  // namespace murvane::linux_desktop
