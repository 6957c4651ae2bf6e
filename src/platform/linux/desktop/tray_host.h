// The desktop's tray host: an owner of the X selection _NET_SYSTEM_TRAY_S0
// (XEmbed), or a StatusNotifierItem host registered with the D-Bus watcher.
// Qt asks once per process which of the two to use, so Murvane waits for one
// before its first icon; and a panel that restarts has forgotten every icon.
#pragma once

#include <functional>
#include <memory>

class QDBusServiceWatcher;
class QSocketNotifier;
struct _XDisplay;

namespace murvane::linux_desktop {

class TrayHost {
 public:
  TrayHost();
  ~TrayHost();
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;

  bool Present();
  // Runs the event loop until a host is there. Icons made before would never
  // reach a D-Bus panel that comes later (Qt chooses once per process), so
  // after lateMs without one onLate runs once and the wait goes on. Returns at
  // once where no host could ever answer (no X display, no session bus).
  void WaitForHost(int lateMs, const std::function<void()>& onLate);
  // onNewHost runs whenever a tray host starts (again).
  void WatchForNewHosts(std::function<void()> onNewHost);

 private:
  bool XEmbedTrayPresent();
  bool DBusHostPresent();
  void ReadXEvents();

  _XDisplay* display_ = nullptr;
  unsigned long trayAtom_ = 0;
  unsigned long managerAtom_ = 0;
  bool bus_ = false;
  std::function<void()> onNewHost_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<QDBusServiceWatcher> watcher_;
};

}  // namespace murvane::linux_desktop
