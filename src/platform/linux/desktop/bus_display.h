// The on-screen display on Wayland, where a client can neither place a window
// nor keep it from taking the focus: the desktop shows it for us, through its
// own display service where it has one (KDE's org.kde.osdService), else as a
// passing notification that replaces the last one.
//
// Nothing here waits on the bus: every call is sent with a watcher, and the
// next service is asked only when the bus says the first is not there. A
// desktop with neither is said once on stderr, and shows nothing.
#pragma once

#include <QDBusServiceWatcher>
#include <QObject>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

#include "platform/platform.h"
#include "platform/qt/pictures/pictures.h"

class QDBusPendingCall;

namespace murvane::linux_desktop {

class BusDisplay final : public OnScreenDisplay {
 public:
  explicit BusDisplay(qt::QtPictureSource& pictures);
  BusDisplay(const BusDisplay&) = delete;
  BusDisplay& operator=(const BusDisplay&) = delete;

  void Show(const std::vector<DisplayRow>& rows) override;
  // No call is waiting for its answer.
  bool Settled() const { return waiting_ == 0; }

 private:
  struct Content {
    QIcon picture;  // the first row's
    QStringList texts;
  };

  void WatchForOsd();
  void SendToOsd(const Content& content);
  void SendToNotifications(const Content& content);
  void OnAnswer(const QDBusPendingCall& call, std::function<void(const QDBusPendingCall&)> then);
  void SayNoServiceOnce();
  QString PictureFile(const QIcon& picture);

  qt::QtPictureSource& pictures_;
  QObject calls_;  // parent of the watchers: those still out go with the display
  QDBusServiceWatcher osdShell_;
  bool osdAbsent_ = false;
  int waiting_ = 0;
  std::uint32_t lastNotification_ = 0;
  bool saidNoService_ = false;
  // The osd service takes a picture by its file: one per picture shown, the
  // last few kept for reuse, all removed with the folder.
  std::unique_ptr<QTemporaryDir> folder_;
  std::deque<std::pair<QByteArray, QString>> files_;
};

}  // namespace murvane::linux_desktop
